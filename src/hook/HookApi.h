// The hot-key library's contract: its exports, the block it shares with the program, and the
// message it sends. The program loads the library at run time (dlopen) and finds the exports by
// name; this header gives both sides the same names, layout and numbers.
//
// Ctrl plus the key whose Windows virtual-key code is in VirtualKey, pressed anywhere on the
// display, sends the program's main window one toggle message. The program writes the block
// at any time and then calls KeyHookChanged, which has the new key grabbed at once; a key
// written without the call is found within two seconds. A key another program holds is tried
// again at those two-second looks, so it works soon after that program lets it go, with nobody
// asking. The library's thread sleeps otherwise.
#pragma once

#include <cstddef>
#include <cstdint>

namespace huebird::hook {

// The shared block. The program writes VirtualKey (atomically: the library reads it from its
// own thread) and the three flags; it never touches bytes 4..19. The library reads only
// VirtualKey: the key is always taken with Ctrl, and the flags are kept for the program.
struct HookBlock {
    std::uint32_t VirtualKey;
    unsigned char reserved[16];  // the library's own
    unsigned char ModifierFlags[3];
    unsigned char padding;
};
static_assert(offsetof(HookBlock, VirtualKey) == 0);
static_assert(offsetof(HookBlock, ModifierFlags) == 20);
static_assert(sizeof(HookBlock) == 24);

inline constexpr const char* kLibraryName = "libhuebirdhook.so";

// The toggle: a ClientMessage of this type, format 32, with kToggleWindowMessage in
// data.l[0], sent by the library to the window that carries kTargetProperty (CARDINAL, the
// program's process id). Only the library sends it.
inline constexpr const char* kToggleAtom = "_HUEBIRD_TOGGLE_WINDOW";
inline constexpr const char* kTargetProperty = "_HUEBIRD_HOTKEY_TARGET";
inline constexpr long kToggleWindowMessage = 1056;  // WM_USER + 32

// HookStatus results. The text is one word, then the virtual-key code where one is concerned.
// On a refusal nothing stays grabbed (a key that worked only with some locks on would be worse).
//   "ok"            the key is grabbed
//   "no-display"    the library could not connect to the X display
//   "lost"          the library's connection broke (the X server ended, or it dropped that
//                   connection); it connects again at each two-second look until it can
//   "taken <vk>"    another program holds Ctrl plus that key
//   "no-key <vk>"   the code has no key on this keyboard
//   "refused <vk>"  the X server refused the grab for another reason
//   "not-enabled"   EnableKeyHook has not been called (or DisableKeyHook has)
//   "pending"       the first grab of the current key has not finished yet
inline constexpr int kStatusOk = 0;
inline constexpr int kStatusProblem = 1;
inline constexpr int kStatusPending = 2;

using EnableKeyHookFn = void (*)();
using GetGMemFn = void* (*)();
using DisableKeyHookFn = void (*)();
using KeyHookChangedFn = void (*)();
// Writes the status text (NUL-terminated, cut to size) and returns one of the codes above: the
// library's state now, never a remembered first answer. A key that is grabbed is answered at
// once; otherwise waits up to 200 ms for the grab of the block's current key to be tried, and
// a key the X server refused is tried again on the call.
using HookStatusFn = int (*)(char* text, int size);

}  // namespace huebird::hook
