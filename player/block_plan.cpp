#include "player/block_plan.h"

#include "audio/pcm16.h"

BlockPlan PlanBlocks(uint32_t dataSize, uint32_t blockSize, uint16_t channels)
{
    BlockPlan plan;
    plan.dataSize = dataSize;
    plan.sourceBlockSize = channels == 1 ? blockSize / 2 : blockSize;
    plan.totalBlocks = plan.sourceBlockSize ? dataSize / plan.sourceBlockSize : 0;
    if (plan.sourceBlockSize && dataSize % plan.sourceBlockSize) ++plan.totalBlocks;
    return plan;
}

uint32_t BlockReadSize(const BlockPlan& plan, uint32_t counter)
{
    if (counter == 0 || counter > plan.totalBlocks) return 0;
    if (counter < plan.totalBlocks) return plan.sourceBlockSize;
    const uint32_t rest = plan.dataSize % plan.sourceBlockSize;
    return rest ? rest : plan.sourceBlockSize;
}

uint32_t PlayedBytes(uint32_t bytesRead, uint16_t channels)
{
    return 2 * static_cast<uint32_t>(WholeFrameValueCount(bytesRead, channels == 1));
}

bool BlockBuffersFit(uint32_t blockSize)
{
    return static_cast<uint64_t>(blockSize / 2) * sizeof(double) <= 0xFFFFFFFFull;
}

PipelineState StateAfterWrite(const BlockPlan& plan, uint32_t counter, int n, uint32_t bytes)
{
    if (bytes != plan.sourceBlockSize || counter >= plan.totalBlocks) return LastBlockQueued;
    return n == 1 ? Buffer1Queued : Buffer2Queued;
}

bool PipelineMayMove(PipelineState from, PipelineState to)
{
    switch (to) {
    case Starting:
    case Stopping: return true;
    case Buffer1Queued: return from == Starting || from == Buffer2Queued;
    case Buffer2Queued: return from == Buffer1Queued;
    case LastBlockQueued: return from == Starting || from == Buffer1Queued || from == Buffer2Queued;
    case Finished: return from != Stopping;
    }
    return false;
}
