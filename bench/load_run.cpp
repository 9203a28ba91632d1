// The long load run (scripts/load-run.sh): ACTIONS seeded actions against
// the real program, printing its figures every 100 actions and the share
// of actions whose effect was seen.
//   qbx_load_run.exe [ACTIONS] [SEED]
#include <cstdio>
#include <cstdlib>

#include "tests/support/file_helpers.h"
#include "tests/wine/faults/bed_agent_client.h"
#include "tests/wine/faults/fault_fixture.h"
#include "tests/wine/faults/load_driver.h"

int main(int argc, char** argv)
{
    const int actions = argc > 1 ? std::atoi(argv[1]) : 2000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 20261208u;
    const std::string folder = BedUnixFolder().empty() ? "." : BedWineFolder();
    ForgetSettings();
    QuellboxProcess app;
    if (!app.Start() || !app.WaitForMainWindow() || !app.ActivatePanel(20000)) {
        std::printf("the program did not come up\n");
        return 2;
    }
    std::printf("load run: %d actions, seed %u\n", actions, seed);
    const DWORD start = GetTickCount();
    const LoadOutcome run = RunLoad(app, seed, actions, 100, folder);
    std::printf("%s; %lu s\n", LandedLine(run).c_str(), (GetTickCount() - start) / 1000);
    std::printf("actions done %d, stray boxes %d%s%s%s%s, hung %s, ended %s, measured %s\n", run.actionsDone,
                run.strayBoxes, run.strayBoxes ? ": " : "", run.firstStray.c_str(), run.strayBoxes ? " after " : "",
                run.strayAfter.c_str(), run.hung ? "yes" : "no",
                run.ended ? "yes" : "no", run.measured ? "yes" : "no");
    if (run.hung) std::printf("after a %s; its windows: %s\n", run.hungAfter.c_str(), run.holdingWindows.c_str());
    app.Command(IDM_EXIT);
    const int exitCode = app.WaitForExit(10000);
    std::printf("exit code %d\n", exitCode);
    const bool ok = run.opened && run.measured && run.landed == run.actionsDone && !run.hung && !run.ended &&
                    run.strayBoxes == 0 && exitCode == 0;
    return ok ? 0 : 1;
}
