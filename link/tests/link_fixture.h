#pragma once

#include "core/pacing.h"
#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "link/link_control.h"
#include "link/testing/scripted_pad.h"

namespace lumvex::link::testing {

// A store root with a config.dat (COM2, 9600 bps), a scripted PAD and a
// link state of the test's own.
struct LinkFixture {
  lumvex::testing::TempDir root;
  ScriptedPad pad;
  RecordingMessagePort messages;
  RecordingPacer pacer;
  LinkState state;

  LinkFixture() {
    lumvex::testing::WriteFile(root / "config.dat", "2050123456 2 1 ATDT   021234567           x\n");
  }
  LinkControl Link(LinkCopy copy) { return LinkControl(copy, pad, messages, pacer, root / "config.dat", state); }
};

}  // namespace lumvex::link::testing
