#pragma once
// Fakes for the player's own seams (saverdeck/SaverDeckSeams.h), each installed for a test's scope.
#include "SaverDeckSeams.h"

// Counts the shell's notices that file associations changed, instead of sending them.
class RecordingNotify : public ShellNotifySeam {
 public:
  RecordingNotify() : saved_(&ShellNotify()) { SetShellNotifySeam(this); }
  ~RecordingNotify() override { SetShellNotifySeam(saved_ == this ? nullptr : saved_); }
  void AssociationsChanged() override { ++count; }
  int count = 0;

 private:
  ShellNotifySeam* saved_;
};
