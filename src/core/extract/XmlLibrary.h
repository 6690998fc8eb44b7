// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>

#include <string>

// libxml2, loaded when an XPath rule first needs it: only XPath rules use it, and loading it costs every
// start of the program and of each command a part of a millisecond.
struct XmlLibrary {
    decltype(&xmlInitParser) initParser = nullptr;
    decltype(&xmlSetGenericErrorFunc) setGenericErrorFunc = nullptr;
    decltype(&xmlSetStructuredErrorFunc) setStructuredErrorFunc = nullptr;
    decltype(&htmlCreatePushParserCtxt) htmlCreatePushParser = nullptr;
    decltype(&htmlCtxtUseOptions) htmlUseOptions = nullptr;
    decltype(&htmlParseChunk) htmlParse = nullptr;
    decltype(&htmlFreeParserCtxt) htmlFreeParser = nullptr;
    decltype(&htmlNewDocNoDtD) htmlNewDocument = nullptr;
    decltype(&xmlFreeDoc) freeDoc = nullptr;
    decltype(&xmlGetProp) getProp = nullptr;
    decltype(&xmlXPathNewContext) xpathNewContext = nullptr;
    decltype(&xmlXPathFreeContext) xpathFreeContext = nullptr;
    decltype(&xmlXPathCtxtCompile) xpathCtxtCompile = nullptr;
    decltype(&xmlXPathFreeCompExpr) xpathFreeCompExpr = nullptr;
    decltype(&xmlXPathCompiledEval) xpathCompiledEval = nullptr;
    decltype(&xmlXPathEval) xpathEval = nullptr;
    decltype(&xmlXPathFreeObject) xpathFreeObject = nullptr;
    decltype(&xmlXPathCastNodeToString) xpathCastNodeToString = nullptr;
    // libxml2's deallocator is a variable of the library, not a function.
    xmlFreeFunc* freeMemory = nullptr;

    // The library, loaded and set up by the first call (from any thread); null when it cannot be loaded.
    static const XmlLibrary* get();
    // Why get() gives null.
    static const std::string& loadError();
};
