#include "compare/ImageComparison.h"

#include "compare/NamedParts.h"
#include "compare/SameBytes.h"

std::vector<TComparedImage> ImagesASaveEmbeds(const TJwwDocument& doc)
{
    std::vector<TComparedImage> images;
    if (doc.Header.Version < ImageSectionVersion || !ExtractImages)
        return images;
    MarkImagesInUse(doc);
    for (const TBindImageType& entry : TempImageList) {
        if (entry.InUse != 0 && TempImageFileExists(entry))
            images.push_back({entry.FileName, TempImagePath(entry.FileName)});
    }
    return images;
}

std::vector<TImageChange> CompareImages(const std::vector<TComparedImage>& old,
                                        const std::vector<TComparedImage>& now)
{
    std::vector<TImageChange> changes;
    const auto nameOf = [](const TComparedImage& image) -> const std::string& {
        return image.FileName;
    };
    for (const TNamedPair& pair : PairByName(old, now, nameOf)) {
        if (!pair.Old)
            changes.push_back({now[*pair.New].FileName, TChange::Added});
        else if (!pair.New)
            changes.push_back({old[*pair.Old].FileName, TChange::Removed});
        else if (!SameBytes(old[*pair.Old].Path, now[*pair.New].Path, TFollowLinks::No))
            changes.push_back({old[*pair.Old].FileName, TChange::Changed});
    }
    return changes;
}
