#include "evaluation/diary_trend.h"

#include "diary/diary_store.h"

namespace {

struct CachedTrend {
    bool valid = false;
    std::uint64_t revision = 0;
    TrendSeries series;
};

CachedTrend g_trends[2];
std::uint64_t g_computations = 0;

}  // namespace

const TrendSeries& DiaryTrend(TrendQuantity quantity) {
    CachedTrend& cached = g_trends[quantity == TrendQuantity::kWeight ? 0 : 1];
    const std::uint64_t revision = DiaryRecordsRevision();
    if (!cached.valid || cached.revision != revision) {
        cached.series = ComputeTrend(DiaryRecords(), DiaryRecordCount(), quantity);
        cached.revision = revision;
        cached.valid = true;
        ++g_computations;
    }
    return cached.series;
}

std::uint64_t DiaryTrendComputations() { return g_computations; }
