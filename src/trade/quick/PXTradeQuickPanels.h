#pragma once
// Tells the shell's factory how to make the two quick-trade panels, so the quote screen's
// "速摘" and "速转" open them. Called once at start-up.

void registerPXTradeQuickPanels();
