#include "compare/ChangeMarksOf.h"

#include "compare/ObjectMatch.h"

TChangeMarks ChangeMarksOf(const TJwwDocument& old, const TJwwDocument& now)
{
    const TObjectMatch match = MatchObjects(WrittenRecords(old, old.Header.EntityCount),
                                            WrittenRecords(now, now.Header.EntityCount));
    return TChangeMarks(old, match.Removed, match.Added, now.EntityOrder.size());
}
