#pragma once
#include <windows.h>
#include <d2d1.h>

class CDrawBase;
struct B_FigText;

// Where and how large the characters of a text are laid on the device:
// every character has a layout of its own, placed by a pen that walks the
// text's unturned frame; the target's transform stretches and turns that
// frame into place.
struct D2DTextFrame {
    D2D1_POINT_2F start;  // the text's start point on the device
    D2D1_POINT_2F base;   // the corner the transform stretches and turns about
    D2D1_POINT_2F pen;    // where the first character goes
    float width;          // device character width and height
    float height;
    float stretch;        // horizontal stretch of the glyphs
    double angle;         // degrees counter-clockwise; vertical text adds 90
    float advanceX;       // pen steps per full-width character, and half-width ones
    float advanceY;
    float halfX;
    float halfY;
    bool vertical;
};

// The frame of text on reader's device, given the device start point.
D2DTextFrame LayOutTextFrame(const B_FigText& text, const D2D1_POINT_2F& start, CDrawBase& reader);

// point turned about centre by -angle degrees on the device (counter-
// clockwise on the screen for a positive angle).
D2D1_POINT_2F TurnOnDevice(const D2D1_POINT_2F& point, const D2D1_POINT_2F& centre, double angle);

// The frame's transform: stretch about base, then turn about it.
D2D1_MATRIX_3X2_F TextTransform(const D2DTextFrame& frame);

// UTF-16 units of the character at index: 2 for a surrogate pair, else 1.
// A high surrogate without a low one after it stands alone.
int CharacterUnits(const wchar_t* text, int length, int index);
