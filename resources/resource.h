// Resource ids shared by the resource script and the code; the configuration dialog's
// template and controls have theirs in config_dialog_ids.h.
#pragma once

#define IDS_SAVER_NAME 1      // the saver's name in the display settings
#define IDI_SCINTLE 100       // the icon group
