Attribute VB_Name = "TedsVb6"
' Declarations of teds_vb6.dll, the IEEE 1451.4 TEDS decoder, for Visual
' Basic 6 and 32-bit VBA. Put teds_vb6.dll next to the program (or the
' document's host, or on the PATH) and add this module to the project.
'
' Calling order: MirxTEDS_ParserCreate; MirxTEDS_ParseTDLFile for every TDL
' file (templates accumulate); MirxTEDS_ParseTEDS for each image, then the
' queries on the handle it returns, then MirxTEDS_FreeTEDS; last
' MirxTEDS_ParserDestroy. Free every TEDS handle before destroying the parser
' that decoded it: the handle refers to the parser's templates.
'
' Handles are Long values; 0 is no handle. Texts come back in the String
' variables passed ByRef: whatever they held is released and replaced, and a
' failed query leaves them empty. Values come back in Variants: Long-sized
' unsigned numbers as VarType 19 (convert with CDbl before arithmetic), real
' numbers as Double, dates as Date, texts as String, and Empty where a
' property holds no value. The unit array is a Double array of twelve
' elements: unit type, nine exponents, slope, offset.
Option Explicit

' A pointer to the static text "0.1"; the text must not be freed.
Public Declare Function MirxTEDS_GetVersion Lib "teds_vb6.dll" Alias "_MirxTEDS_GetVersion@0" () As Long
' 1 when the library serves callers written for this interface version.
Public Declare Function MirxTEDS_CheckVersion Lib "teds_vb6.dll" Alias "_MirxTEDS_CheckVersion@4" ( _
    ByVal version As Long) As Long

Public Declare Function MirxTEDS_ParserCreate Lib "teds_vb6.dll" Alias "_MirxTEDS_ParserCreate@0" () As Long
Public Declare Sub MirxTEDS_ParserDestroy Lib "teds_vb6.dll" Alias "_MirxTEDS_ParserDestroy@4" ( _
    ByVal parser As Long)
' The number of templates of the file that the parser accepted.
Public Declare Function MirxTEDS_ParseTDLFile Lib "teds_vb6.dll" Alias "_MirxTEDS_ParseTDLFile@8" ( _
    ByVal parser As Long, ByVal path As String) As Long

' Pass the first byte of the image array, image(LBound(image)), and the
' number of bytes. The image is not kept once the call returns.
Public Declare Function MirxTEDS_ParseTEDS Lib "teds_vb6.dll" Alias "_MirxTEDS_ParseTEDS@12" ( _
    ByVal parser As Long, ByRef image As Byte, ByVal length As Long) As Long
Public Declare Sub MirxTEDS_FreeTEDS Lib "teds_vb6.dll" Alias "_MirxTEDS_FreeTEDS@4" ( _
    ByVal teds As Long)

' The version letter is one character code: Chr$(versionLetter).
Public Declare Function MirxTEDS_GetBasicTEDS Lib "teds_vb6.dll" Alias "_MirxTEDS_GetBasicTEDS@24" ( _
    ByVal teds As Long, ByRef manufacturerId As Long, ByRef modelNumber As Long, _
    ByRef versionLetter As Byte, ByRef versionNumber As Long, ByRef serialNumber As Long) As Long
Public Declare Function MirxTEDS_GetNumberTemplates Lib "teds_vb6.dll" Alias "_MirxTEDS_GetNumberTemplates@4" ( _
    ByVal teds As Long) As Long
' Template indexes count from 0.
Public Declare Function MirxTEDS_GetTemplateInfo Lib "teds_vb6.dll" Alias "_MirxTEDS_GetTemplateInfo@16" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByRef manufacturerKey As Long, _
    ByRef templateId As Long) As Long
Public Declare Function MirxTEDS_GetTotalPropertyCount Lib "teds_vb6.dll" Alias "_MirxTEDS_GetTotalPropertyCount@8" ( _
    ByVal teds As Long, ByVal templateIndex As Long) As Long

' Property names are matched exactly, with their leading "%".
Public Declare Function MirxTEDS_GetPropertyCount Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyCount@12" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyName As String) As Long
Public Declare Function MirxTEDS_HasProperty Lib "teds_vb6.dll" Alias "_MirxTEDS_HasProperty@12" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyName As String) As Long

' Property indexes count from 0 up to MirxTEDS_GetTotalPropertyCount - 1.
Public Declare Function MirxTEDS_GetPropertyByIdx Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyByIdx@24" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyIndex As Long, _
    ByRef propertyName As String, ByRef value As Variant, ByRef unit As String) As Long
Public Declare Function MirxTEDS_GetPropertyByIdxEx Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyByIdxEx@32" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyIndex As Long, _
    ByRef propertyName As String, ByRef value As Variant, ByRef unit As String, _
    ByRef unitArray As Variant, ByRef status As Long) As Long
' `occurrence` picks one of several properties of the same name, from 0.
Public Declare Function MirxTEDS_GetPropertyValue Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyValue@24" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyName As String, _
    ByVal occurrence As Long, ByRef value As Variant, ByRef unit As String) As Long
Public Declare Function MirxTEDS_GetPropertyValueEx Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyValueEx@32" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyName As String, _
    ByVal occurrence As Long, ByRef value As Variant, ByRef unit As String, _
    ByRef unitArray As Variant, ByRef status As Long) As Long
