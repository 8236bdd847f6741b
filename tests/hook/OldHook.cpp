// A hot-key library as an older build would be: the three exports of the contract and a plain
// block, no status export, no X. Built a second time without GetGMem to stand for a broken
// one. TestEnabled tells the test what the loader did.
#include <cstdint>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {
[[maybe_unused]] alignas(8) unsigned char gBlock[24] = {};
int gEnabled = 0;
}  // namespace

EXPORT void EnableKeyHook() { gEnabled = 1; }
EXPORT void DisableKeyHook() { gEnabled = 0; }
#ifndef WITHOUT_GETGMEM
EXPORT void* GetGMem() { return gBlock; }
#endif
EXPORT int TestEnabled() { return gEnabled; }
