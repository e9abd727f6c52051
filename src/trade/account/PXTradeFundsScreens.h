#pragma once

// Registers the funds home with PXTradeScreenFactory, for the trade home's "出入金" entry.
// Kept apart from the other registrations: the funds home hosts the trade tab's account
// switcher and so brings the login screens' headers with it.

void registerPXTradeFundsScreens();
