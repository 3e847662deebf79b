// The language table: every user-visible text of the main program that is
// not a fixed literal, by its slot number, read at start-up from the
// language file chosen by the per-user setting "Language".
//
// Language file: ProgramFolder\DATA\LANGUAGE\<code>.dat, items as the
// suite's field reader reads them: the display name, the header shown in
// Label17, then one item per slot from slot 0 (at most 300). An item
// beginning with "- " is a comment: the next item goes into the same slot.
// Main-program language files have no underscore in their names.
#pragma once

namespace ks {

struct SeState;
class Form1;

// Fills LanguageTable, LangCode, LangHeader and Form1.Label17. A missing,
// unreadable or too long file shows "Error in loading language" and English
// is loaded instead; when English itself fails, the table keeps what was
// read and the program goes on.
void LoadLanguage(SeState& st, Form1& form);

}  // namespace ks
