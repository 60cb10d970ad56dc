#pragma once

// The constants of Word's object model that the report and the built-in word
// processor exchange, with Word's own values.
namespace zolvaric::wd {

constexpr int Story = 6;        // WdUnits: the whole story
constexpr int Extend = 1;       // WdMovementType: extend the selection
constexpr int FindContinue = 1; // WdFindWrap: go on at the start of the story
constexpr int ReplaceNone = 0;  // WdReplace
constexpr int ReplaceOne = 1;
constexpr int ReplaceAll = 2;
constexpr int SeekMainDocument = 0; // WdSeekView
constexpr int SeekCurrentPageHeader = 9;

} // namespace zolvaric::wd
