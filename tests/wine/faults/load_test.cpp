// The short load run inside the test command: 300 seeded actions against
// the real program, each of which must show its effect, after which its
// memory, handles, GDI and USER objects must not have grown past warm-up.
// The long run is scripts/load-run.sh.
#include "load_driver.h"

#include <cstdio>

#include "bed_agent_client.h"
#include "fault_fixture.h"

namespace {

class LoadTest : public QuellboxFaultTest {};

TEST_F(LoadTest, ThreeHundredActionsAllLandAndLeaveNoGrowthNoStrayBoxAndNoHang)
{
    ASSERT_FALSE(BedUnixFolder().empty());
    StartActive();
    const LoadOutcome run = RunLoad(app_, 20261208, 300, 100, BedWineFolder());
    std::printf("%s\n", LandedLine(run).c_str());
    ASSERT_TRUE(run.opened && run.measured) << "the source could not be opened or the probe not loaded";
    EXPECT_FALSE(run.ended) << "the program ended after " << run.actionsDone << " actions";
    ASSERT_FALSE(run.hung) << "the program stopped answering or stayed busy after " << run.actionsDone
                           << " actions, the last a " << run.hungAfter << "; its windows: " << run.holdingWindows;
    EXPECT_EQ(run.landed, run.actionsDone) << LandedLine(run);
    EXPECT_EQ(run.strayBoxes, 0) << run.firstStray << " after " << run.strayAfter;
    ASSERT_EQ(run.curve.size(), 4u);

    // Warm-up: the first hundred actions bring up the device service, the
    // dialogs' classes and caches. From there nothing may grow beyond a
    // small margin for Wine's own threads and caches.
    // Wine's file dialog keeps one handle per use (not this program's):
    // those are allowed for.
    const ProcessFigures& warm = run.curve[1].figures;
    const ProcessFigures& last = run.curve.back().figures;
    const unsigned dialogsSince = static_cast<unsigned>(run.curve.back().fileDialogs - run.curve[1].fileDialogs);
    EXPECT_LE(last.handles, warm.handles + dialogsSince + 8);
    EXPECT_LE(last.gdiObjects, warm.gdiObjects + 4);
    EXPECT_LE(last.userObjects, warm.userObjects + 4);
    EXPECT_LE(last.privateBytes, warm.privateBytes + 8u * 1024 * 1024);
    EXPECT_GT(warm.gdiObjects, 0u) << "the GDI count found nothing at all";
    EXPECT_GT(warm.userObjects, 0u) << "the USER count found nothing at all";

    app_.Command(IDM_EXIT);
    EXPECT_EQ(app_.WaitForExit(10000), 0);
}

}  // namespace
