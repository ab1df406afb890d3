// Helpers shared by the tests: fixture folders and scratch space.
#pragma once

#include <QString>

namespace brelin::test {

// The repository's own test data and the shared corpus of camera files.
QString dataDir();
QString corpusDir();
QString sourceDir();

} // namespace brelin::test
