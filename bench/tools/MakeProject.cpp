// Writes the project file of a benchmark scene, for the whole-process
// measurements of scripts/bench.sh: scenewright_bench_project OBJECTS FILE.
#include "SceneBuilder.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/SaveFile.h"

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    int objects = 0;
    if (argc != 3 || (objects = std::atoi(argv[1])) <= 0) {
        std::cerr << "usage: scenewright_bench_project OBJECTS FILE\n";
        return 2;
    }
    using namespace scenewright;
    core::IdCounter ids;
    const auto document = bench::buildScene(ids, objects);
    const std::string text = core::io::ProjectFileWriter::write("bench", false, document->objects());
    core::io::SaveFile file(argv[2]);
    if (!file.save(text)) {
        std::cerr << file.errorString() << "\n";
        return 1;
    }
    return 0;
}
