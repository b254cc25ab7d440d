// SPDX-License-Identifier: MIT
#pragma once

// Resource numbers of the Windows program, shared by its resource script and
// its code. Plain defines: the resource compiler reads this file too.

#define IDI_APP 1
#define IDI_TOOL_EXIT 101
#define IDI_TOOL_BACK 102
#define IDI_TOOL_FORWARD 103
#define IDI_TOOL_STOP 104
#define IDI_TOOL_REFRESH 105
#define IDI_TOOL_INFO 106
#define IDR_PICTURE_BANNER 201
#define IDR_PICTURE_SIDE 202
#define IDR_PICTURE_FOOTER 203
#define IDR_PICTURE_CLIPBOARD 204
