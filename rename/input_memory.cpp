#include "rename/input_memory.h"

namespace namenswerk {

TextInputs textInputsOf(const RenameSettings &settings)
{
    return {settings.regFindname, settings.regFindext, settings.regReplace, settings.txtFind,
            settings.txtReplace};
}

void InputMemory::rememberInputs(const TextInputs &inputs)
{
    slots_[std::size_t(slot_)] = inputs;
    slot_ = 1 - slot_;
}

TextInputs InputMemory::restoreInputs()
{
    TextInputs inputs = slots_[std::size_t(slot_)];
    slot_ = 1 - slot_;
    return inputs;
}

} // namespace namenswerk
