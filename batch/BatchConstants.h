#pragma once
// The batch program's fixed texts: default login, status words and the configuration file's keys.
// Defined in BatchConstants.cpp, so that their bytes are GBK whoever includes this header.
// Set up before main runs and never changed, so any thread reads them without a lock.

#include "configformat/ConfigKeys.h"

namespace BatchConstants {

// Login.
extern const char kDefaultUserName[];
extern const char kDefaultPassword[];
extern const char kLoginFilePassphrase[];

// User data that marks a row's login control.
extern const char kLoginMarker[];

// Status words of the configuration rows.
extern const char kStatusNotImported[];
extern const char kStatusImporting[];
extern const char kStatusImportDone[];
extern const char kStatusImportFailed[];

// Status words of the update rows.
extern const char kStatusNotUpgraded[];
extern const char kStatusUpgrading[];
extern const char kStatusUpgradeDone[];
extern const char kStatusUpgradeFailed[];
extern const char kStatusRebooting[];
extern const char kStatusRebootFailed[];

// Configuration file keys: those of the file's format, which the tool's writer uses too.
using namespace ConfigKeys;

// The saved-login file.
extern const char kLoginFileName[];
extern const char kLoginRecordSeparator[];
extern const char kLoginFieldSeparator[];

}  // namespace BatchConstants
