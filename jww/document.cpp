#include "jww/jwwunit.h"

TJwwDocument JwwDoc;

std::array<TSettingsEntry3D1I, 10> ResetSettingsTableA()
{
    std::array<TSettingsEntry3D1I, 10> table{};
    for (int e = 0; e < 8; ++e)
        table[e] = {1.0, 0.0, 0.0, -1};
    return table;
}

void ClearJww()
{
    ClearJww(JwwDoc);
}

void ClearJww(TJwwDocument& doc)
{
    const int32_t entityCount = doc.Header.EntityCount;
    const int32_t blockDefCount = doc.Header.BlockDefCount;
    doc = TJwwDocument{};
    doc.Header.EntityCount = entityCount;
    doc.Header.BlockDefCount = blockDefCount;
}

void CreateHeaderTables(TJwwDocument& doc)
{
    doc.LayerGroupTable.assign(16, {});
    doc.LayerTable.assign(256, {});
    doc.SettingsTableB.assign(10, {});
    doc.SettingsTableC.assign(8, {});
    doc.SettingsTableD.assign(5, {});
    doc.SettingsTableE.assign(4, {});
    doc.SettingsTableF.assign(10, {});
    doc.ColorExTable.assign(257, {});
    doc.LineTypeExTable.assign(33, {});
}
