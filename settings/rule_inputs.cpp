#include "settings/rule_inputs.h"

namespace namenswerk {

RuleInputs inputsOf(const RenameSettings &record)
{
    return {record.regFindname, record.regFindext,   record.regReplace,  record.regCase,
            record.txtFind,     record.txtReplace,   record.txtName,     record.txtCase,
            record.txtAll,      record.filenameCase, record.fileextCase, record.fileDate};
}

void putInputs(const RuleInputs &inputs, RenameSettings &record)
{
    record.regFindname = inputs.regFindname;
    record.regFindext = inputs.regFindext;
    record.regReplace = inputs.regReplace;
    record.regCase = inputs.regCase;
    record.txtFind = inputs.txtFind;
    record.txtReplace = inputs.txtReplace;
    record.txtName = inputs.txtName;
    record.txtCase = inputs.txtCase;
    record.txtAll = inputs.txtAll;
    record.filenameCase = inputs.filenameCase;
    record.fileextCase = inputs.fileextCase;
    record.fileDate = inputs.fileDate;
}

} // namespace namenswerk
