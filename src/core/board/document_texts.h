// The texts the document commands show: the application title and the
// save-changes prompts, in UTF-8.
#pragma once

#include <string_view>

namespace kelto {

constexpr std::string_view kApplicationTitle = "Kelto单片机仿真 V3.0版";
constexpr std::string_view kSavePromptCaption = "系统提示";
constexpr std::string_view kSavePromptUntitled = "单片机仿真文件的内容已经被更改,\r\n是否保存更改?";
// The file's full path goes between these two.
constexpr std::string_view kSavePromptNamedBefore = "单片机仿真文件";
constexpr std::string_view kSavePromptNamedAfter = "的内容已经被更改,\r\n是否保存更改?";
// The program's prompt: the same box, after the circuit's. The named text
// puts the file's full path before kSavePromptNamedAfter.
constexpr std::string_view kProgramPromptUntitled = "KELTOBASIC程序还没有保存到文件,\r\n是否保存程序?";
constexpr std::string_view kProgramPromptNamedBefore = "KELTOBASIC程序文件";
// After a lesson's title in the caption of its untitled copy.
constexpr std::string_view kExampleCopySuffix = "（示例副本）";
// After a recording's name in the caption of the circuit it brought.
constexpr std::string_view kRecordingCopySuffix = "（录像）";
// The log line when opening a circuit also loaded the program of the same
// name beside it, before the program's file name.
constexpr std::string_view kPairedProgram = "同时打开了同名程序 ";
// The examples folder goes between these two; empty when none was found.
constexpr std::string_view kNoLessonsBefore = "没有找到示例课程:";
constexpr std::string_view kNoLessonsAfter = "\r\n示例文件夹里应有同名的 .dps 和 .txt 文件。";

} // namespace kelto
