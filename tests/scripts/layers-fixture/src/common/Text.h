#pragma once
// Clean: a comment may name GetDC(window) and SelectObject(dc, font) without calling them.
