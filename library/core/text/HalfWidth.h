#pragma once
#include <atlstr.h>
#include <vector>

// Which characters of text are half-width, by the character types of the
// system's default locale (one query for the whole text).
std::vector<bool> HalfWidthCharacters(const CStringW& text);

// The width of text in half-width cells: 1 for a half-width character, 2 for
// any other.
int HalfWidthCells(const CStringW& text);
