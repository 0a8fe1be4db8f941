#include "shell/food_table.h"

#include "corelib/dbf_table.h"
#include "corelib/files.h"

const char* const kFoodTable = "料理食品.DBF";

int InstallFoodTable(const void* bytes, std::size_t size) {
    RecoverAtomicFile(kFoodTable, DbfFileIsComplete, nullptr);
    if (FileExists(kFoodTable)) return 1;
    FilePart part{bytes, size};
    return WriteFileAtomically(kFoodTable, &part, 1);
}
