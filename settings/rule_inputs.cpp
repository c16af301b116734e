#include "settings/rule_inputs.h"

namespace namenswerk {

RuleInputs inputsOf(const RenameSettings &record)
{
    return {record.regFindname,  record.regFindext,   record.regReplace,  record.regCase,
            record.txtFind,      record.txtReplace,   record.txtName,     record.txtCase,
            record.txtAll,       record.filenameCase, record.fileextCase, record.fileDate,
            record.resolveChains};
}

void putInputs(const RuleInputs &inputs, RenameSettings &record)
{
    record = {record.name,         record.active,      inputs.regFindname, inputs.regFindext,
              inputs.regReplace,   inputs.regCase,     inputs.txtFind,     inputs.txtReplace,
              record.txtFirst,     inputs.txtName,     inputs.txtCase,     inputs.txtAll,
              inputs.filenameCase, inputs.fileextCase, inputs.fileDate,    inputs.resolveChains};
}

} // namespace namenswerk
