#pragma once
// The step runner: drives a program's windows from a step file named by the environment variable
// LPR_UI_SCRIPT, so that scripts and outside checks can run either program without a display.
// One step a line (UTF-8); blank lines and lines starting with '#' are skipped. A control is named
// as the driver finds it ("parent/child" for one inside another):
//
//   wait-window <window name> [timeout ms]   wait until the window is shown and takes input
//                                            (default 10000 ms)
//   wait <ms>                                wait, then until the windows are idle
//   click <control> | dblclick <control> | rclick <control>
//   clickat <control> <x> <y> | rclickat <control> <x> <y>
//                                            a click at a point, in pixels from the control's
//                                            top-left (the point may lie outside the control)
//   dragat <control> <x1> <y1> <x2> <y2>     press at the first point, move to the second, release
//   dblclickat <control> <x> <y>             double click at a point of the control (from its
//                                            top-left, in pixels of its window)
//   type <control> <text ...>                click into the control and type the rest of the line
//                                            in place of its text (fails when the keyboard focus
//                                            moves away before the text is handed over)
//   select <control> <index>                 pick an item of a combo box or list
//   key <Return|Escape|Tab|Space|Up|Down|Left|Right|Delete|Back|number>
//   answer [ok|cancel|yes|no]                answer the next message box (default ok)
//   answer-file <path>                       answer the next open-file dialog (empty: cancel)
//   screenshot <path> [window name]          a PNG of the window (default: the whole desktop)
//   video <play control>                     print the counts of the control's video window:
//                                            "LPR_UI_SCRIPT: video <control>: decoded D shown S
//                                            skipped K replaced R" (see GetVideoFrameCounts)
//   quit                                     destroy every window (the program's loop ends)
//
// Each step prints "LPR_UI_SCRIPT: <line>: ok" or "... failed" on stderr; the first failure ends the
// script, and the program's windows are closed at the end of the script whatever happened.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/test/Driver.h"

namespace ui::test {

struct ScriptStep {
  int line = 0;
  std::string command;
  std::vector<std::string> arguments;
  std::string rest;  // the text after the command (for "type", after the control name)
};

// Parses a step file's text; unknown commands are kept and fail when run.
std::vector<ScriptStep> ParseScript(const std::string& text);
// Runs one step; false when it failed.
bool RunScriptStep(Driver& driver, const ScriptStep& step);
// Runs every step (until the first failure) and then closes every window; returns true when all passed.
bool RunScript(Driver& driver, const std::vector<ScriptStep>& steps);

// Starts running LPR_UI_SCRIPT on a thread of its own against the calling (window) thread, when
// the variable names a readable file; called from the outermost message loop's start. The
// matching stop (after the loop) joins that thread.
void StartScriptFromEnvironment();
void StopScriptFromEnvironment();

}  // namespace ui::test
