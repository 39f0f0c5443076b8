#pragma once

// Settings every screen relies on: Italian locale, decimal comma, "dd/mm/yyyy", the keyboard
// rules, Qt's own dialogs in Italian. Safe to call again.
void applyProgramFormats();
