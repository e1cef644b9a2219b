// Resource ids shared by the resource script and the code.
#pragma once

#define IDS_SAVER_NAME 1      // the saver's name in the display settings
#define IDI_SCINTLE 100       // the icon group
#define IDD_CONFIG_DIALOG 2003  // the configuration dialog's template
