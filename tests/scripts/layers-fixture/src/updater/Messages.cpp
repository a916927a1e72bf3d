// Text through an ANSI function, and the wide one beside it.
void Tell(const char* text) { MessageBoxA(nullptr, text, "", 0); }
void TellWide(const wchar_t* text) { MessageBoxW(nullptr, text, L"", 0); }
