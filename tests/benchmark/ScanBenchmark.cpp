// The record scan over Ed2k 4U result pages of 1, 5 and 10 MB (2,000 records per MB). Prints the
// time per MB, which stays the same when the scan is linear in the page size, and the bytes
// allocated during one scan per byte of page: about 1 (the rows themselves), because the scan keeps
// an offset into the page; copying the rest of the page for each record would allocate about
// records/2 bytes per byte of page (10,000 for the 10 MB page).
//
// HostilePage/N scans, in turn and in the same run, the ordinary 1 MB page and a hostile 1 MB page
// of engine N (0 Ed2k4U .. 4 Hash): as many records, but none of them holds a field marker, so every
// field search of every record runs over the rest of the page. hostile_per_ordinary is the ratio of
// their times per MB (target: at most 2).
#include "search/ResultScan.h"

#include <benchmark/benchmark.h>

#include <time.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

std::atomic<size_t> allocatedBytes{0};

}  // namespace

// The replaced operator new takes its blocks from malloc, so free is the matching release.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t size) {
    allocatedBytes += size;
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace {

constexpr size_t MegaByte = 1024 * 1024;

// A page of the site's format with records of equal size; 2,000 records make one MB.
std::string MakePage(size_t megaBytes) {
    std::string page = "<html><body><table><tr><td>结果总数 20000</td></tr></table><ul>\r";
    const size_t records = megaBytes * 2000;
    const size_t recordSize = megaBytes * MegaByte / records;
    char record[1024];
    for (size_t i = 0; i < records; ++i) {
        int length = std::snprintf(record, sizeof record,
                                   "<li hash=\"%032zX\"><a href=\"/file/%zu\"><img src=\"/t/%zu.jpg\"/><br/>\r   "
                                   "影片 第%zu部 高清<small>.mkv</small></a>\r<span>大小:1.%02zu GB&nbsp;</span>\r"
                                   "<span id=\"l%zu\"><a href=\"ed2k://|file|%zu.mkv|123456|%032zX|/\">ED2K</a></span>",
                                   i, i, i, i, i % 100, i, i, i);
        page.append(record, static_cast<size_t>(length));
        page.append(recordSize > static_cast<size_t>(length) + 6 ? recordSize - length - 6 : 0, ' ');
        page += "</li>\r";
    }
    return page;
}

void ScanPage(benchmark::State& state) {
    const size_t megaBytes = static_cast<size_t>(state.range(0));
    const std::string page = MakePage(megaBytes);
    const qivyun::SearchEngine& engine = qivyun::EngineSettings(qivyun::EngineId::Ed2k4U);
    size_t rows = 0;
    size_t allocated = 0;
    for (auto _ : state) {
        const size_t before = allocatedBytes;
        const qivyun::ScanResult result = qivyun::ScanResultPage(engine, page, 0);
        allocated = allocatedBytes - before;
        rows = result.rows.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["records"] = static_cast<double>(rows);
    state.counters["page_MB"] = static_cast<double>(page.size()) / MegaByte;
    state.counters["time_per_MB"] = benchmark::Counter(static_cast<double>(page.size()) / MegaByte,
                                                       benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["alloc_per_page_byte"] = static_cast<double>(allocated) / static_cast<double>(page.size());
}

BENCHMARK(ScanPage)->Arg(1)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

// Records of the engine's marker followed by GBK text and blanks, as many per MB as the ordinary
// page has, with no marker of any field, total or cut in them.
std::string MakeHostilePage(const qivyun::SearchEngine& engine, size_t megaBytes) {
    const size_t records = megaBytes * 2000;
    const size_t recordSize = megaBytes * MegaByte / records;
    const std::string filler = "影片高清版本 ";
    std::string page = "<html><body>\r";
    for (size_t i = 0; i < records; ++i) {
        const size_t recordStart = page.size();
        page += engine.recordMarker;
        while (page.size() - recordStart + filler.size() <= recordSize) page += filler;
        page.append(recordSize - (page.size() - recordStart), ' ');
    }
    return page;
}

// <chrono> cannot be compiled with GBK literals.
double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void HostilePage(benchmark::State& state) {
    const qivyun::SearchEngine& engine = qivyun::EngineSettings(qivyun::AllEngines[state.range(0)]);
    const std::string ordinary = MakePage(1);
    const std::string hostile = MakeHostilePage(engine, 1);
    const qivyun::SearchEngine& ordinaryEngine = qivyun::EngineSettings(qivyun::EngineId::Ed2k4U);
    double ordinarySeconds = 0;
    double hostileSeconds = 0;
    size_t rows = 0;
    for (auto _ : state) {
        const double start = Now();
        benchmark::DoNotOptimize(qivyun::ScanResultPage(ordinaryEngine, ordinary, 0));
        const double middle = Now();
        const qivyun::ScanResult result = qivyun::ScanResultPage(engine, hostile, 0);
        const double end = Now();
        benchmark::DoNotOptimize(result);
        rows = result.rows.size();
        ordinarySeconds += middle - start;
        hostileSeconds += end - middle;
    }
    state.SetLabel(std::string(engine.name));
    state.counters["records"] = static_cast<double>(rows);
    state.counters["hostile_per_ordinary"] =
        (hostileSeconds / static_cast<double>(hostile.size())) / (ordinarySeconds / static_cast<double>(ordinary.size()));
}

BENCHMARK(HostilePage)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
