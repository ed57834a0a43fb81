#pragma once
// What the whitelist manager and its record dialog pass each other: the selected row's texts for
// an edit, and what came of the dialog.

#include "configtool/features/whitelist/WlistRowTexts.h"

// The row's id and eleven texts, and its three switches. In edit mode the dialog fills it anew
// from the record the camera took, and the manager shows it in the row.
struct WlistEditContext {
  int recordId = 0;
  WlistRowTexts texts;
  bool enabled = false;
  bool useSegments = false;
  bool alarm = false;
};

// Set by the dialog; the manager reads them once it has closed.
struct WlistDialogOutcome {
  // Add mode: the camera took the record (new, or in place of one of the same plate).
  bool added = false;
  // Edit mode: the camera took the changed record; the context holds it.
  bool updated = false;
  // Edit mode: the plate was changed, which the camera cannot do; nothing was written.
  bool plateChangeRefused = false;
};
