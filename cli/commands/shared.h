#pragma once
// What several korva-batch commands share: reading a project with its run's
// results, naming a parameter on the command line, and the import options.
#include "cli/command.h"
#include "files/text/textimport.h"

#include <cstddef>
#include <string>

namespace korva::cli {

// Reads the project at projectPath and its outputs into grid. False, after
// the messages on context.err, when either fails. basePath, when given,
// receives the outputs' base path.
bool LoadProjectOutputs(GridData& grid, const std::string& projectPath, const Command& command,
                        CommandContext& context, std::string* basePath);

// The position in ParameterOrder of text: a 0-based position or a parameter's
// name (its project name or its display name, in any case). -1, after a
// message listing the parameters, when there is none.
int FindParameterArgument(const GridData& grid, const std::string& text, const Command& command,
                          CommandContext& context);

// The import options shared by import-param, import-boundary and
// import-raster. False, after a usage message, for a value that is not allowed.
bool ReadImportOptions(const ParsedArguments& parsed, const Command& command,
                       CommandContext& context, ImportSettings& settings, int& layerNumber);

// Says on err when the file held fewer numbers than the grid has cells: the
// program leaves the other cells as they were without a word, a script
// should hear of it.
void ReportShortImport(std::size_t read, const GridData& grid, const Command& command,
                       CommandContext& context);

} // namespace korva::cli
