// The SVG sources of src/ui/art, compiled in by the build (art_data.cpp is generated from them).
#pragma once

extern const char* const kArtNew;
extern const char* const kArtOpen;
extern const char* const kArtSave;
extern const char* const kArtRss;
extern const char* const kArtAtom;
extern const char* const kArtScan;
extern const char* const kArtFtp;
extern const char* const kArtSettings;
extern const char* const kArtHelp;
extern const char* const kArtVamelRss;
