// The notice shown at every start: the program runs in the notification
// area, and should its hotkeys be active?
#pragma once

#include "app/display_scale.h"

// Shows the notice modally; -1 when its check box was ticked at closing, 0
// when it was not.
int ShowStartupNotice();

// The notice is laid out in pixels, in the order its controls are made: the
// labels and the check box grow to their text, the picture takes its
// bitmap's size, OK keeps its distance from the right edge.
enum NoticeControlId : int {
    kNoticeOk = 1,
    kNoticeRunningLabel = 1001,
    kNoticeHintLabel = 1002,
    kNoticeCatchKeysBox = 1003,
    kNoticePicture = 1004,
};
inline const PixelLayout kNoticeLayout = {{270, 184}, 6};  // the labels end at 264
inline const std::vector<PixelPlace> kNoticePlaces = {
    {kNoticeRunningLabel, 8, 8, 256, 16, true, false}, {kNoticePicture, 24, 32, 187, 31, false, false},
    {kNoticeHintLabel, 8, 90, 256, 16, true, false},   {kNoticeCatchKeysBox, 8, 118, 256, 16, true, false},
    {kNoticeOk, 166, 150, 82, 24, false, true},
};
