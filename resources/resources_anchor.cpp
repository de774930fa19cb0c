// Keeps the resource library non-empty before any .qrc file exists.
namespace corvane {
int resourcesAnchor = 0;
}
