// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/AllocationCount.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <execinfo.h>
#include <unistd.h>

namespace {

std::atomic<bool> counting{false};
std::atomic<uint64_t> allocations{0};

bool tracing = false;
thread_local bool inTrace = false;

} // namespace

#if defined(__SANITIZE_ADDRESS__)

bool tAllocationCount::Counting() {
    return false;
}

#else

namespace {

// With STAKKAR_TRACE_ALLOCATIONS set, each counted allocation's call stack goes to standard error, to find
// where a frame allocates.
void Trace() {
    if (!tracing || inTrace) {
        return;
    }
    inTrace = true;
    std::array<void*, 24> frames{};
    const int depth = backtrace(frames.data(), static_cast<int>(frames.size()));
    backtrace_symbols_fd(frames.data(), depth, 2);
    constexpr char kEnd[] = "--\n";
    (void)!write(2, kEnd, sizeof kEnd - 1);
    inTrace = false;
}

void Count() {
    if (counting.load(std::memory_order_relaxed) && !inTrace) {
        allocations.fetch_add(1, std::memory_order_relaxed);
        Trace();
    }
}

} // namespace

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);

void* malloc(size_t size) {
    Count();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    Count();
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, size_t size) {
    Count();
    return __libc_realloc(pointer, size);
}
void* memalign(size_t alignment, size_t size) {
    Count();
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
    Count();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** result, size_t alignment, size_t size) {
    Count();
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr) {
        return ENOMEM;
    }
    *result = pointer;
    return 0;
}
}

bool tAllocationCount::Counting() {
    return true;
}

#endif

tAllocationCount::tAllocationCount() {
    tracing = std::getenv("STAKKAR_TRACE_ALLOCATIONS") != nullptr;
    if (tracing) {
        // The unwinder loads itself at its first use, with allocations of its own.
        std::array<void*, 1> warm{};
        backtrace(warm.data(), 1);
    }
    allocations.store(0);
    counting.store(true);
}

tAllocationCount::~tAllocationCount() {
    counting.store(false);
}

uint64_t tAllocationCount::Allocations() const {
    return allocations.load();
}
