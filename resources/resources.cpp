// Anchor object of the resource library; the data itself is compiled in by
// qt_add_resources.
namespace kontavo {
int resourceLibraryAnchor() { return 0; }
}  // namespace kontavo
