// The user's clipboard kept across a feature's paste. What the user had
// copied is saved before a feature touches the clipboard; the result is
// promised, not placed, so that it is made at the moment the note program
// reads it (and a clipboard history that honours the marks beside it records
// nothing); once the note program has read it and a moment has passed with
// no further read, the saved content goes back, byte for byte, unless
// something newer was copied meanwhile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

// [options] restore_clipboard, read at each request: 0 leaves the result on
// the clipboard, as a user who pastes it again wants.
extern bool gRestoreClipboard;

// Past either, nothing is saved and the result stays on the clipboard: a
// source that renders a large copy on demand can take seconds.
constexpr size_t kSaveSizeCap = 64u << 20;
constexpr unsigned kSaveTimeCapMs = 500;
// The note program reads the formats of one paste one after another; a
// pause this long with no further read ends its paste.
constexpr unsigned kPutBackSettleMs = 300;
// No read this long after the paste keys (keys lost, program hung).
constexpr unsigned kPutBackUnreadMs = 3000;

struct ClipboardBlock {
    unsigned format;
    std::string block;
};

// Which of the formats listed (in their order) a saved copy keeps: those in
// global memory that the system would not make again from another one kept,
// and not the OLE formats, which point at a live object of their source.
// `names` holds each listed format's registered name ("" for the others).
std::vector<unsigned> FormatsWorthKeeping(const std::vector<unsigned>& listed, const std::vector<std::string>& names);

// Before a feature touches the clipboard. While an earlier result still
// waits to be read or put back, what that put-back owes is kept: the user's
// clipboard from before the first feature.
void SaveUserClipboard();
// The result's formats: promised when a saved clipboard waits to go back,
// placed otherwise. False when the clipboard could not be written.
bool PlaceResult(const std::vector<ClipboardBlock>& result);
// The paste keys go to the target now (none for a menu request): its reads
// from now on are the paste.
void NotePasteSent(platform::WindowHandle target);
// A feature gave up after saving: the clipboard goes back at once when its
// own work changed it.
void AbandonResult();
// The owner window's WM_RENDERFORMAT, WM_RENDERALLFORMATS and
// WM_DESTROYCLIPBOARD.
void OnClipboardOwnerMessage(unsigned message, unsigned format);
// The program ends (its tray window is destroyed): a put-back owed is made.
void PutBackBeforeExit();
// WM_TIMER; false when the timer is not the keeper's.
bool OnClipboardTimer(uintptr_t id);
