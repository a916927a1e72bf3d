#pragma once
// The resources of QivYunSkinGallery and the first id the sections give their controls.
#define IDD_GALLERY 100
#define IDR_GALLERY_SKIN 146
#define IDC_GALLERY_FIRST_CONTROL 1000
