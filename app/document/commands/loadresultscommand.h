#pragma once
// Puts the results of a model run into the output store (and the run's name
// into the project); undo gives back the results shown before.
#include "app/document/documentcommand.h"

#include <string>

namespace korva {

class LoadResultsCommand : public DocumentCommand {
public:
    LoadResultsCommand(CKORVADoc& document, OutputStore outputs, std::string outputBaseName);
    void redo() override;
    void undo() override;
    std::size_t MemoryCost() const override;

private:
    void Swap();
    OutputStore other_;
    std::string otherBaseName_;
    std::size_t bytes_;
};

} // namespace korva
