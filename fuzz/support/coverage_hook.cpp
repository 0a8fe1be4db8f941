// GCC's coverage callback, fed to libFuzzer.
//
// The core is compiled by g++ (clang cannot turn narrow literals into code
// page 932), and g++ instruments with -fsanitize-coverage=trace-pc: a call of
// __sanitizer_cov_trace_pc at the start of every basic block. libFuzzer takes
// its coverage through inline 8-bit counters and a table of their PCs, the
// interface clang's own instrumentation uses, and treats a bare trace-pc call
// as deprecated (it exits). The link redirects g++'s calls here
// (-Wl,--wrap=__sanitizer_cov_trace_pc), where each edge between two blocks
// gets a counter of its own: the first time an edge (previous block, this
// block) is seen it takes the next free slot, so edges never share a counter
// as hashed maps do. libFuzzer's "cov:" is then the number of edges reached.
//
// This file is compiled without instrumentation and without sanitizers: it is
// called from every block, its own included.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "support/fuzz_support.h"

namespace {

constexpr std::size_t kEdgeSlots = std::size_t{1} << 17;  // counter 0 takes any overflow
constexpr std::size_t kTableSize = kEdgeSlots * 2;         // open addressing, at most half full

struct PcTableEntry {
    std::uintptr_t pc;
    std::uintptr_t flags;
};

struct Edge {
    std::uintptr_t from;
    std::uintptr_t to;  // 0: free
    std::uint32_t slot;
};

alignas(4096) std::uint8_t g_counters[kEdgeSlots];
alignas(4096) PcTableEntry g_pcs[kEdgeSlots];
Edge g_edges[kTableSize];
std::uint32_t g_nextSlot = 1;
std::uintptr_t g_previous = 0;
bool g_overflowTold = false;

std::size_t EdgeIndex(std::uintptr_t from, std::uintptr_t to) {
    std::uint64_t h = (to * 0x9E3779B97F4A7C15ull) ^ (from * 0xC2B2AE3D27D4EB4Full);
    return static_cast<std::size_t>(h >> 32) & (kTableSize - 1);
}

std::uint32_t NewSlot(std::uintptr_t to) {
    if (g_nextSlot < kEdgeSlots) {
        g_pcs[g_nextSlot].pc = to;
        return g_nextSlot++;
    }
    if (!g_overflowTold) {
        std::fprintf(stderr, "coverage: more than %zu edges; the rest share one counter\n", kEdgeSlots - 1);
        g_overflowTold = true;
    }
    return 0;
}

}  // namespace

extern "C" {

// libFuzzer's side of the interface.
void __sanitizer_cov_8bit_counters_init(std::uint8_t* begin, std::uint8_t* end);
void __sanitizer_cov_pcs_init(const std::uintptr_t* begin, const std::uintptr_t* end);

void __wrap___sanitizer_cov_trace_pc() {
    std::uintptr_t to = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0));
    std::size_t i = EdgeIndex(g_previous, to);
    for (;;) {
        Edge& edge = g_edges[i];
        if (edge.to == to && edge.from == g_previous) break;
        if (edge.to == 0) {
            edge = Edge{g_previous, to, NewSlot(to)};
            break;
        }
        i = (i + 1) & (kTableSize - 1);
    }
    std::uint8_t& counter = g_counters[g_edges[i].slot];
    if (counter != 0xFF) ++counter;
    g_previous = to;
}

// g++ also reports floating-point comparisons; libFuzzer has no use for them.
void __sanitizer_cov_trace_cmpf(float, float) {}
void __sanitizer_cov_trace_cmpd(double, double) {}

}  // extern "C"

void FuzzInputBegins() { g_previous = 0; }

namespace {

struct RegisterCounters {
    RegisterCounters() {
        __sanitizer_cov_8bit_counters_init(g_counters, g_counters + kEdgeSlots);
        __sanitizer_cov_pcs_init(reinterpret_cast<const std::uintptr_t*>(g_pcs),
                                 reinterpret_cast<const std::uintptr_t*>(g_pcs + kEdgeSlots));
    }
} g_registerCounters;

}  // namespace
