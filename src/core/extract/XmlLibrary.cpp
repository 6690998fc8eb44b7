// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/XmlLibrary.h"

#include "core/base/LoadedLibrary.h"

namespace {

using Loaded = LibraryFunctions<XmlLibrary>;

Loaded load()
{
    Loaded loaded;
    LoadedLibrary library("xml2", 2, "libxml2");
    XmlLibrary& f = loaded.functions;
    library.resolve("xmlInitParser", f.initParser);
    library.resolve("xmlSetGenericErrorFunc", f.setGenericErrorFunc);
    library.resolve("xmlSetStructuredErrorFunc", f.setStructuredErrorFunc);
    library.resolve("htmlCreatePushParserCtxt", f.htmlCreatePushParser);
    library.resolve("htmlCtxtUseOptions", f.htmlUseOptions);
    library.resolve("htmlParseChunk", f.htmlParse);
    library.resolve("htmlFreeParserCtxt", f.htmlFreeParser);
    library.resolve("htmlNewDocNoDtD", f.htmlNewDocument);
    library.resolve("xmlFreeDoc", f.freeDoc);
    library.resolve("xmlGetProp", f.getProp);
    library.resolve("xmlXPathNewContext", f.xpathNewContext);
    library.resolve("xmlXPathFreeContext", f.xpathFreeContext);
    library.resolve("xmlXPathCtxtCompile", f.xpathCtxtCompile);
    library.resolve("xmlXPathFreeCompExpr", f.xpathFreeCompExpr);
    library.resolve("xmlXPathCompiledEval", f.xpathCompiledEval);
    library.resolve("xmlXPathEval", f.xpathEval);
    library.resolve("xmlXPathFreeObject", f.xpathFreeObject);
    library.resolve("xmlXPathCastNodeToString", f.xpathCastNodeToString);
    library.resolve("xmlFree", f.freeMemory);
    loaded.error = library.error();
    // The parser's global set-up must run once before threads use it.
    if (loaded.error.empty())
        f.initParser();
    return loaded;
}

const Loaded& loaded()
{
    static const Loaded once = load();
    return once;
}

} // namespace

const XmlLibrary* XmlLibrary::get()
{
    return loaded().usable();
}

const std::string& XmlLibrary::loadError()
{
    return loaded().error;
}
