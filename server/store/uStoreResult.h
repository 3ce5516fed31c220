// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the store answers: the value asked for, or the sentence that says why the database could not give it.
// Every call of the store answers so, and a failure is handed on as it came.

#include <QString>

#include <optional>
#include <utility>

// Why the database failed, as a sentence for the operator.
struct tStoreFailure {
    QString Problem;
};

template <typename T> class [[nodiscard]] tStoreResult {
public:
    tStoreResult(T value) : Value(std::move(value)) {}
    tStoreResult(tStoreFailure failure) : Why(std::move(failure.Problem)) {}

    explicit operator bool() const { return Value.has_value(); }
    T& operator*() { return *Value; }
    const T& operator*() const { return *Value; }
    T* operator->() { return &*Value; }
    const T* operator->() const { return &*Value; }
    // Empty when the value is there.
    const QString& Problem() const { return Why; }
    tStoreFailure Failure() const { return {Why}; }

private:
    std::optional<T> Value;
    QString Why;
};

// A change, or a step, that gives nothing back but whether it was done.
template <> class [[nodiscard]] tStoreResult<void> {
public:
    tStoreResult() = default;
    tStoreResult(tStoreFailure failure) : Failed(true), Why(std::move(failure.Problem)) {}

    explicit operator bool() const { return !Failed; }
    const QString& Problem() const { return Why; }
    tStoreFailure Failure() const { return {Why}; }

private:
    bool Failed = false;
    QString Why;
};
