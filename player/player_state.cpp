#include "player/player_state.h"

Player g_player;

PipelineState CurrentPipelineState() { return static_cast<PipelineState>(g_player.state.load()); }

// The pipeline's moves, each by its one cause:
//
//   from                       to               when
//   any                        Starting         Play begins a start (again after
//                                               taking down a leftover playback)
//   Starting, Buffer2Queued    Buffer1Queued    data1's block is queued, more follow
//   Buffer1Queued              Buffer2Queued    data2's block is queued, more follow
//   Starting, Buffer1Queued,   LastBlockQueued  the last block of the file is queued
//     Buffer2Queued
//   any                        Stopping         Stop, a failed start or a lost device
//                                               claims the playback
//   any but Stopping           Finished         no whole frame left to read, a failed
//                                               read, prepare or write, a start whose
//                                               blocks hold all the data, or the buffer
//                                               before the last block came back
//
// PipelineMayMove (block_plan.cpp) holds exactly this table. What matters
// between the two threads follows from it: once Stop has claimed the
// playback only a new start moves the pipeline on, and nothing is queued
// after Finished, so a refill on the engine thread can never overtake Stop
// nor outlive the end of the data.
bool PipelineMayEnter(PipelineState to) { return PipelineMayMove(CurrentPipelineState(), to); }

void EnterPipelineState(PipelineState to)
{
    if (PipelineMayEnter(to)) g_player.state.store(to);
}

PipelineState MovePipeline(PipelineState to)
{
    ScopedPipelineLock lock;
    EnterPipelineState(to);
    return CurrentPipelineState();
}
