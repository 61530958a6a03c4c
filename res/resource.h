#pragma once

// The application icon comes first, so that Explorer shows it for the file.
#define IDI_LORVANE 1
#define IDC_LINK_HAND 101
