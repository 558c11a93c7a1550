// Anchor of the shared test support library (kept so the library is never empty).
namespace reshaper_test {
int SupportLibraryAnchor() { return 0; }
}  // namespace reshaper_test
