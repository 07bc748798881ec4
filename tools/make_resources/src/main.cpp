// Writes the program's pictures into a resources folder:
//   make_images RESOURCES [icons|diagrams|map|photos ...]
// With no group named, every group is made.
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "makers.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: make_images RESOURCES [icons|diagrams|map|photos ...]\n");
    return 2;
  }
  const QString root = args[1];
  QStringList groups = args.mid(2);
  if (groups.isEmpty()) groups = {"icons", "diagrams", "map", "photos"};
  const QString images = root + "/DUdoderi", photos = root + "/ZUzivuvorovadid";
  bool ok = true;
  for (const QString& g : groups) {
    if (g == "icons") ok &= mk::makeIcons(images);
    else if (g == "diagrams") ok &= mk::makeDiagrams(images);
    else if (g == "map") ok &= mk::makeWorldMap(images);
    else if (g == "photos") ok &= mk::makePhotos(photos);
    else {
      std::fprintf(stderr, "unknown group %s\n", qPrintable(g));
      return 2;
    }
  }
  return ok ? 0 : 1;
}
