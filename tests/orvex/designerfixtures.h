#pragma once
// Helpers of the designer's tests: elements found by name.

#include "orvex/designer/xmltree.h"
#include "support/testfiles.h"

namespace designerfixtures {

// The element with this Name anywhere under node.
inline orvex::designer::XmlNode* findNamed(orvex::designer::XmlNode* node, const QString& name) {
    if (node->attribute("Name") == name)
        return node;
    for (const orvex::designer::XmlNodePtr& child : node->children)
        if (orvex::designer::XmlNode* found = findNamed(child.get(), name))
            return found;
    return nullptr;
}

} // namespace designerfixtures
