// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Results made up in bulk, for filling a score server's tables in benchmarks and tests.

#include "core/uResultRecord.h"

// Distinct, valid results of Standart : Normal; n picks the values, so no two n give the same row.
tResultRecord SampleResult(int n);
