#pragma once
// How many GDI objects this process holds. This Wine has no GetGuiResources, so the objects are
// counted in the GDI handle table that the system maps into the process.
namespace qivyun::test {

int GdiObjectCount();

}  // namespace qivyun::test
