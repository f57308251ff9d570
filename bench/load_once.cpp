// zelvane-load-once DRAWING.jww: loads one drawing and exits, for measuring the peak memory
// of a load with /usr/bin/time.
#include <iostream>
#include <memory>

#include "jww/jwwunit.h"
#include "jww/private_image_folder.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: zelvane-load-once DRAWING.jww\n";
        return 2;
    }
    try {
        const TPrivateImageFolder imageFolder;
        const auto doc = std::make_unique<TJwwDocument>();
        std::string failure;
        if (!LoadJww(*doc, argv[1], &failure)) {
            std::cerr << "zelvane-load-once: " << argv[1] << ": " << failure << '\n';
            return 1;
        }
        std::cout << doc->Header.EntityCount << " objects, " << doc->Header.BlockDefCount
                  << " block definitions\n";
    } catch (const std::exception& error) {
        std::cerr << "zelvane-load-once: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
