#pragma once
// The table of the gallery's sections: where each stands in the window and the function (one file
// per section) that adds its controls. Another section is a file and a line here.
#include "gallery/GallerySection.h"

#include <span>

namespace qivyun::gallery {

struct SectionEntry {
    const char* caption;  // GBK
    RECT area;            // in the gallery's client area
    void (*fill)(GallerySection& section);
};

void AddButtonSection(GallerySection& section);
void AddTextSection(GallerySection& section);
void AddListSection(GallerySection& section);
void AddProgressSection(GallerySection& section);
void AddComboSection(GallerySection& section);
void AddRangeSection(GallerySection& section);
void AddMessageSection(GallerySection& section);
void AddBarSection(GallerySection& section);
void AddDateSection(GallerySection& section);

std::span<const SectionEntry> GallerySectionTable();

// The gallery's client area, which the table's sections fill.
inline constexpr int GalleryWidth = 950, GalleryHeight = 740;

}  // namespace qivyun::gallery
