#pragma once
// The user's regional settings, read once at start and then handed on
// explicitly to everything that turns numbers into text or back.

/// The decimal separator of the system locale: ',' under German settings.
/// Read on the first call; later changes of the locale are not seen.
char SystemDecimalSeparator();
