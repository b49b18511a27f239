#pragma once
// A generated catalogue of any size, for measuring the program with far
// more formations than the Moon has names for.

#include <string>

/// The bytes of a catalogue file (twelve-line records, Windows-1252, CR LF,
/// decimal comma) with `records` formations. Every formation lies on the
/// near side, its frame (5 to 20 pixels a side) around its place on the map;
/// the names are made of syllables, some with umlauts and some in lower
/// case, all different; every fourth has a height (origin "1").
std::string GeneratedCatalogue(int records);
