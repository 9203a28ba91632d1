// The WAV fuzzer in the test suite: a fixed seed, the structural cases, the
// short field sweeps and random mutations, first through the source check,
// then through Play on the real device, each run cut into shards. Its own
// main takes the run's size:
//   --fuzz-seed=N --fuzz-check-cases=N --fuzz-play-cases=N --fuzz-full-sweeps
//   --fuzz-real-box-every=N (else $QBX_FUZZ_REAL_BOX_EVERY, else 1)
// (the defaults are the suite's run; scripts/fuzz-long.sh gives larger ones
// and runs the shards in parallel processes).
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "player/player.h"
#include "tests/wine/fuzz/fuzz_boxes.h"
#include "tests/wine/fuzz/guarded_heap.h"
#include "tests/wine/fuzz/wav_cases.h"
#include "tests/wine/fuzz/wav_fuzzer.h"

namespace {

// The suite's run: 16 000 cases through the source check and 4 000 through
// Play. Every box is shown for real and read off its dialog, unless the run
// has the stand-in read most of them (fuzz_boxes.h): one case in each
// realBoxEvery still shows its boxes for real, and the stand-in's reading is
// held against them. A real box costs Wine 10 to 40 ms, most of a case's
// time, so the CI run (scripts/test.sh) shows one case in 16 for real. The
// run is cut into shards that CTest runs as tests of their own, the check's
// side by side, and that the long run spreads over processes.
constexpr int kCheckShards = 4;
constexpr int kPlayShards = 2;
struct FuzzOptions {
    uint64_t seed = 20261208;
    size_t checkCases = 16000;
    size_t playCases = 4000;
    bool fullSweeps = false;
    size_t realBoxEvery = 1;
};
FuzzOptions g_options;

void InstallGuards()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    ASSERT_TRUE(InstallGuardedHeap(GetModuleHandleA(nullptr))) << "the source check's imports";
    ASSERT_TRUE(InstallGuardedHeap(GetModuleHandleA("player.dll"))) << "the player's imports";
    ASSERT_TRUE(InstallBoxStandIn(GetModuleHandleA(nullptr))) << "the source check's boxes";
    ASSERT_TRUE(InstallBoxStandIn(GetModuleHandleA("player.dll"))) << "the player's boxes";
}

void Report(const char* what, const WavFuzzer& fuzzer, const FuzzFigures& f, double seconds)
{
    std::printf("%s: %zu cases in %.1f s (%.0f per second), %zu accepted, %zu played to their end\n", what, f.cases,
                seconds, f.cases / (seconds > 0 ? seconds : 1), f.accepted, f.playedToEnd);
    std::printf("  one case in %zu with real boxes: %zu real boxes held against the stand-in's reading\n",
                g_options.realBoxEvery, fuzzer.RealBoxesCompared());
    for (const auto& t : f.texts) std::printf("  %6zu  %s\n", t.second, t.first.c_str());
}

// One shard's share of a run of count cases: [first, end).
struct ShardRange {
    size_t first;
    size_t end;
};
ShardRange RangeOfShard(size_t count, int shard, int shards)
{
    return {count * shard / shards, count * (shard + 1) / shards};
}

// A shard's random stream: its own, so that each shard can run alone. The
// first shard keeps the run's seed; the others take a hash of it, since
// SplitMix64 seeds that differ by its own increment give the same stream
// one step apart.
uint64_t ShardSeed(uint64_t seed, int shard)
{
    if (shard == 0) return seed;
    FuzzRandom mix(seed ^ (0xD1B54A32D192ED03ull * static_cast<uint64_t>(shard)));
    return mix.Next();
}

// The cases of one run in their order: the structural list, the sweeps,
// then random mutations until the end; a shard runs its slice of them,
// reports its figures, and fails on every failed property, a case not run
// or no real box held against the stand-in.
template <typename Run>
void RunCases(const char* what, WavFuzzer* fuzzer, ShardRange range, const FuzzFigures& figures, Run run)
{
    const auto start = std::chrono::steady_clock::now();
    const std::vector<WavCase> structural = StructuralCases();
    std::vector<WavCase> seeds = BaseWaves();
    seeds.insert(seeds.end(), structural.begin(), structural.end());
    const size_t sweeps = FieldSweepCount(g_options.fullSweeps);
    for (size_t i = range.first; i < range.end; ++i) {
        if (i < structural.size()) run(structural[i]);
        else if (i < structural.size() + sweeps) run(FieldSweepCase(g_options.fullSweeps, i - structural.size()));
        else run(RandomCase(&fuzzer->Random(), seeds));
        const size_t done = i + 1 - range.first;
        if (done == 200 || done % 2000 == 0) fuzzer->CheckHandles(("after " + std::to_string(done) + " cases").c_str());
        if (done % 5000 == 0) {
            std::printf("  %zu cases, %zu failures so far\n", done, fuzzer->Failures().size());
            std::fflush(stdout);
        }
    }
    fuzzer->CheckHandles("at the end");
    Report(what, *fuzzer, figures, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    for (const std::string& failure : fuzzer->Failures()) ADD_FAILURE() << failure;
    EXPECT_EQ(figures.cases, range.end - range.first);
    EXPECT_GT(fuzzer->RealBoxesCompared(), 0u) << "the stand-in must be held against real boxes";
}

TEST(GuardedHeap, CatchesReadsJustOutsideABlock)
{
    InstallGuards();
    TakeGuardFindings();
    SetGuardCaseLabel("self-test");
    // This file's own LocalAlloc calls go through the patched imports too.
    SetGuardPlacement(true);
    HLOCAL h = LocalAlloc(LMEM_MOVEABLE, 18);
    ASSERT_NE(h, nullptr);
    auto* p = static_cast<volatile unsigned char*>(LocalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_NE(static_cast<const void*>(const_cast<unsigned char*>(p)), static_cast<const void*>(h))
        << "a moveable block's handle is not its pointer";
    EXPECT_EQ(LiveGuardedBlocks(), 1u);
    p[17] = 1;  // inside: no finding
    EXPECT_TRUE(TakeGuardFindings().empty());
    const unsigned char past = p[18];
    (void)past;
    std::vector<std::string> found = TakeGuardFindings();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].find("read 1 byte(s) past the end of a 18-byte LocalAlloc block"), std::string::npos) << found[0];
    LocalUnlock(h);
    EXPECT_EQ(LocalFree(h), nullptr);
    EXPECT_EQ(LiveGuardedBlocks(), 0u);

    SetGuardPlacement(false);
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, 64);
    auto* q = static_cast<volatile unsigned char*>(GlobalLock(g));
    const unsigned char before = q[-1];
    (void)before;
    found = TakeGuardFindings();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].find("read 1 byte(s) before a 64-byte GlobalAlloc block"), std::string::npos) << found[0];
    q[64] = 7;  // in the slack behind a start-aligned block: found by the canary
    GlobalUnlock(g);
    GlobalFree(g);
    found = TakeGuardFindings();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].find("write past the end of a 64-byte GlobalAlloc block"), std::string::npos) << found[0];
    SetGuardPlacement(true);
}

TEST(GuardedHeap, FailsTheAllocationItIsTold)
{
    InstallGuards();
    FailNthAllocation(2);
    HLOCAL first = LocalAlloc(LMEM_FIXED, 8);
    HLOCAL second = LocalAlloc(LMEM_FIXED, 8);
    HLOCAL third = LocalAlloc(LMEM_FIXED, 8);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(third, nullptr);
    LocalFree(first);
    LocalFree(third);
    EXPECT_EQ(LiveGuardedBlocks(), 0u);
}

class WavFuzzCheck : public ::testing::TestWithParam<int> {};

TEST_P(WavFuzzCheck, SourceCheckAnswersEveryFile)
{
    InstallGuards();
    const ShardRange range = RangeOfShard(g_options.checkCases, GetParam(), kCheckShards);
    WavFuzzer fuzzer(ShardSeed(g_options.seed, GetParam()), range.first, g_options.realBoxEvery);
    RunCases("source check", &fuzzer, range, fuzzer.CheckFigures(), [&](const WavCase& c) { fuzzer.RunCheckCase(c); });
    EXPECT_GT(fuzzer.CheckFigures().accepted, 0u) << "some cases must get through to the end of the check";
}
INSTANTIATE_TEST_SUITE_P(Shard, WavFuzzCheck, ::testing::Range(0, kCheckShards));

class WavFuzzPlay : public ::testing::TestWithParam<int> {};

TEST_P(WavFuzzPlay, PlayerAnswersEveryFile)
{
    InstallGuards();
    ASSERT_GT(GetNumWaveOutDevs(), 0u) << "the test bed's sound device";
    const ShardRange range = RangeOfShard(g_options.playCases, GetParam(), kPlayShards);
    WavFuzzer fuzzer(ShardSeed(g_options.seed ^ 0x5EED, GetParam()), range.first, g_options.realBoxEvery);
    const size_t madeBefore = GuardedBlocksMade();
    RunCases("player", &fuzzer, range, fuzzer.PlayFigures(), [&](const WavCase& c) { fuzzer.RunPlayCase(c); });
    EXPECT_GT(fuzzer.PlayFigures().accepted, (range.end - range.first) / 20) << "a real share of the cases must play";
    EXPECT_GT(GuardedBlocksMade() - madeBefore, fuzzer.PlayFigures().accepted * 4)
        << "the player's buffers come from the guarded heap";
}
INSTANTIATE_TEST_SUITE_P(Shard, WavFuzzPlay, ::testing::Range(0, kPlayShards));

bool TakeOption(const char* arg, const char* name, std::string* value)
{
    const size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0) return false;
    *value = arg + n;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const char* every = std::getenv("QBX_FUZZ_REAL_BOX_EVERY"))
        g_options.realBoxEvery = std::strtoull(every, nullptr, 0);
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        std::string v;
        if (TakeOption(argv[i], "--fuzz-seed=", &v)) g_options.seed = std::strtoull(v.c_str(), nullptr, 0);
        else if (TakeOption(argv[i], "--fuzz-check-cases=", &v)) g_options.checkCases = std::strtoull(v.c_str(), nullptr, 0);
        else if (TakeOption(argv[i], "--fuzz-play-cases=", &v)) g_options.playCases = std::strtoull(v.c_str(), nullptr, 0);
        else if (TakeOption(argv[i], "--fuzz-real-box-every=", &v)) g_options.realBoxEvery = std::strtoull(v.c_str(), nullptr, 0);
        else if (std::strcmp(argv[i], "--fuzz-full-sweeps") == 0) g_options.fullSweeps = true;
        else rest.push_back(argv[i]);
    }
    if (g_options.realBoxEvery == 0) g_options.realBoxEvery = 1;
    int count = static_cast<int>(rest.size());
    ::testing::InitGoogleTest(&count, rest.data());
    return RUN_ALL_TESTS();
}
