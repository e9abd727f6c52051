#pragma once

// Registers the trade tab's root (the login screen or the trade home) with the shell and the
// login screens with the trading screen factory ("PXJYTradeLoginVC"; "PXJYSimpleLoginVC" for the
// account given in the arguments). The client's main calls it once at start-up, as tests do.
void registerPXTradeLoginScreens();
