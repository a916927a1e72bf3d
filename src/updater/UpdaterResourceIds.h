#pragma once
// Resource and control ids of QivYunUpdate.
#define IDR_UPDATER_ICON 128
#define IDD_UPDATER_DIALOG 102
#define IDS_SOCKETS_FAILED 103
#define IDR_UPDATER_SKIN 130
#define IDC_RERUN_CHECK 1000
#define IDC_PROGRESS 1001
#define IDC_SPEED_LINE 1002
#define IDC_STATUS_LINE 1007
