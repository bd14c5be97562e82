Attribute VB_Name = "TedsVb6"
' Declarations of the IEEE 1451.4 TEDS decoder for every Visual Basic host,
' in one module: Visual Basic 6 and Office before 2010 use the last block,
' Office 2010 and later (VBA7) the first two, where PtrSafe and LongPtr are
' required. 64-bit Office can load only a 64-bit DLL, teds_vb6_x64.dll; the
' 32-bit hosts load teds_vb6.dll. Put both DLLs in one folder, next to the
' program, or the document's host, or on the PATH, and add this module to the
' project: the same project then runs in every host without editing.
'
' Calling order: MirxTEDS_ParserCreate; MirxTEDS_ParseTDLFile for every TDL
' file (templates accumulate); MirxTEDS_ParseTEDS for each image, then the
' queries on the handle it returns, then MirxTEDS_FreeTEDS; last
' MirxTEDS_ParserDestroy. Free every TEDS handle before destroying the parser
' that decoded it: the handle refers to the parser's templates.
'
' Handles are LongPtr values under VBA7 and Long values in Visual Basic 6;
' 0 is no handle. Texts come back in the String variables passed ByRef:
' whatever they held is released and replaced, and a failed query leaves them
' empty. Values come back in Variants: Long-sized unsigned numbers as
' VarType 19 (convert with CDbl before arithmetic), real numbers as Double,
' dates as Date, texts as String, and Empty where a property holds no value.
' The unit array is a Double array of twelve elements: unit type, nine
' exponents, slope, offset. The notes in the first block hold for all three.
Option Explicit

' Which channel values the scaling functions take into account (add them up).
Public Const MIRX_TEDS_COLD_JUNCTION As Long = 1  ' coldJunctionC, degC
Public Const MIRX_TEDS_EXCITATION As Long = 2     ' excitationV, V
Public Const MIRX_TEDS_R0 As Long = 4             ' r0Ohm, Ohm

#If VBA7 Then
#If Win64 Then
' 64-bit Office: teds_vb6_x64.dll, whose functions have their plain names.
' A pointer to the static text "0.1"; the text must not be freed.
Public Declare PtrSafe Function MirxTEDS_GetVersion Lib "teds_vb6_x64.dll" () As LongPtr
' 1 when the library serves callers written for this interface version.
Public Declare PtrSafe Function MirxTEDS_CheckVersion Lib "teds_vb6_x64.dll" ( _
    ByVal version As Long) As Long
Public Declare PtrSafe Function MirxTEDS_ParserCreate Lib "teds_vb6_x64.dll" () As LongPtr
Public Declare PtrSafe Sub MirxTEDS_ParserDestroy Lib "teds_vb6_x64.dll" ( _
    ByVal parser As LongPtr)
' The number of templates of the file that the parser accepted.
Public Declare PtrSafe Function MirxTEDS_ParseTDLFile Lib "teds_vb6_x64.dll" ( _
    ByVal parser As LongPtr, ByVal path As String) As Long
' Pass the first byte of the image array, image(LBound(image)), and the
' number of bytes. The image is not kept once the call returns.
Public Declare PtrSafe Function MirxTEDS_ParseTEDS Lib "teds_vb6_x64.dll" ( _
    ByVal parser As LongPtr, ByRef image As Byte, ByVal length As Long) As LongPtr
Public Declare PtrSafe Sub MirxTEDS_FreeTEDS Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr)
' The version letter is one character code: Chr$(versionLetter).
Public Declare PtrSafe Function MirxTEDS_GetBasicTEDS Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByRef manufacturerId As Long, ByRef modelNumber As Long, _
    ByRef versionLetter As Byte, ByRef versionNumber As Long, ByRef serialNumber As Long) As Long
Public Declare PtrSafe Function MirxTEDS_GetNumberTemplates Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr) As Long
' Template indexes count from 0.
Public Declare PtrSafe Function MirxTEDS_GetTemplateInfo Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByRef manufacturerKey As Long, _
    ByRef templateId As Long) As Long
Public Declare PtrSafe Function MirxTEDS_GetTotalPropertyCount Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long) As Long
' Property names are matched exactly, with their leading "%".
Public Declare PtrSafe Function MirxTEDS_GetPropertyCount Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyName As String) As Long
Public Declare PtrSafe Function MirxTEDS_HasProperty Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyName As String) As Long
' Property indexes count from 0 up to MirxTEDS_GetTotalPropertyCount - 1.
Public Declare PtrSafe Function MirxTEDS_GetPropertyByIdx Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyIndex As Long, _
    ByRef propertyName As String, ByRef value As Variant, ByRef unit As String) As Long
Public Declare PtrSafe Function MirxTEDS_GetPropertyByIdxEx Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyIndex As Long, _
    ByRef propertyName As String, ByRef value As Variant, ByRef unit As String, _
    ByRef unitArray As Variant, ByRef status As Long) As Long
' `occurrence` picks one of several properties of the same name, from 0.
Public Declare PtrSafe Function MirxTEDS_GetPropertyValue Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyName As String, _
    ByVal occurrence As Long, ByRef value As Variant, ByRef unit As String) As Long
Public Declare PtrSafe Function MirxTEDS_GetPropertyValueEx Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyName As String, _
    ByVal occurrence As Long, ByRef value As Variant, ByRef unit As String, _
    ByRef unitArray As Variant, ByRef status As Long) As Long
' Scaling: `given` adds up the constants below for the channel values that
' count; the others are ignored. Temperatures in degC, a thermocouple's emf
' in V. Without a scale these return 0 and the reason in their last String.
Public Declare PtrSafe Function MirxTEDS_GetScale Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, _
    ByVal given As Long, ByVal coldJunctionC As Double, ByVal excitationV As Double, ByVal r0Ohm As Double, _
    ByRef kind As Long, ByRef inputUnit As String, ByRef outputUnit As String, _
    ByRef validLow As Double, ByRef validHigh As Double, ByRef text As String) As Long
Public Declare PtrSafe Function MirxTEDS_ScaleValue Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, _
    ByVal given As Long, ByVal coldJunctionC As Double, ByVal excitationV As Double, ByVal r0Ohm As Double, _
    ByVal inverse As Long, ByVal value As Double, ByRef result As Double, ByRef reason As String) As Long
' Pass the first elements, values(LBound(values)) and results(LBound(results)).
Public Declare PtrSafe Function MirxTEDS_ScaleArray Lib "teds_vb6_x64.dll" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, _
    ByVal given As Long, ByVal coldJunctionC As Double, ByVal excitationV As Double, ByVal r0Ohm As Double, _
    ByVal inverse As Long, ByRef values As Double, ByRef results As Double, ByVal count As Long) As Long
#Else
' 32-bit Office 2010 and later: teds_vb6.dll, whose functions carry the
' stdcall decoration; LongPtr is a Long here.
Public Declare PtrSafe Function MirxTEDS_GetVersion Lib "teds_vb6.dll" Alias "_MirxTEDS_GetVersion@0" () As LongPtr
Public Declare PtrSafe Function MirxTEDS_CheckVersion Lib "teds_vb6.dll" Alias "_MirxTEDS_CheckVersion@4" ( _
    ByVal version As Long) As Long
Public Declare PtrSafe Function MirxTEDS_ParserCreate Lib "teds_vb6.dll" Alias "_MirxTEDS_ParserCreate@0" () As LongPtr
Public Declare PtrSafe Sub MirxTEDS_ParserDestroy Lib "teds_vb6.dll" Alias "_MirxTEDS_ParserDestroy@4" ( _
    ByVal parser As LongPtr)
Public Declare PtrSafe Function MirxTEDS_ParseTDLFile Lib "teds_vb6.dll" Alias "_MirxTEDS_ParseTDLFile@8" ( _
    ByVal parser As LongPtr, ByVal path As String) As Long
Public Declare PtrSafe Function MirxTEDS_ParseTEDS Lib "teds_vb6.dll" Alias "_MirxTEDS_ParseTEDS@12" ( _
    ByVal parser As LongPtr, ByRef image As Byte, ByVal length As Long) As LongPtr
Public Declare PtrSafe Sub MirxTEDS_FreeTEDS Lib "teds_vb6.dll" Alias "_MirxTEDS_FreeTEDS@4" ( _
    ByVal teds As LongPtr)
Public Declare PtrSafe Function MirxTEDS_GetBasicTEDS Lib "teds_vb6.dll" Alias "_MirxTEDS_GetBasicTEDS@24" ( _
    ByVal teds As LongPtr, ByRef manufacturerId As Long, ByRef modelNumber As Long, _
    ByRef versionLetter As Byte, ByRef versionNumber As Long, ByRef serialNumber As Long) As Long
Public Declare PtrSafe Function MirxTEDS_GetNumberTemplates Lib "teds_vb6.dll" Alias "_MirxTEDS_GetNumberTemplates@4" ( _
    ByVal teds As LongPtr) As Long
Public Declare PtrSafe Function MirxTEDS_GetTemplateInfo Lib "teds_vb6.dll" Alias "_MirxTEDS_GetTemplateInfo@16" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByRef manufacturerKey As Long, _
    ByRef templateId As Long) As Long
Public Declare PtrSafe Function MirxTEDS_GetTotalPropertyCount Lib "teds_vb6.dll" Alias "_MirxTEDS_GetTotalPropertyCount@8" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long) As Long
Public Declare PtrSafe Function MirxTEDS_GetPropertyCount Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyCount@12" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyName As String) As Long
Public Declare PtrSafe Function MirxTEDS_HasProperty Lib "teds_vb6.dll" Alias "_MirxTEDS_HasProperty@12" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyName As String) As Long
Public Declare PtrSafe Function MirxTEDS_GetPropertyByIdx Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyByIdx@24" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyIndex As Long, _
    ByRef propertyName As String, ByRef value As Variant, ByRef unit As String) As Long
Public Declare PtrSafe Function MirxTEDS_GetPropertyByIdxEx Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyByIdxEx@32" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyIndex As Long, _
    ByRef propertyName As String, ByRef value As Variant, ByRef unit As String, _
    ByRef unitArray As Variant, ByRef status As Long) As Long
Public Declare PtrSafe Function MirxTEDS_GetPropertyValue Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyValue@24" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyName As String, _
    ByVal occurrence As Long, ByRef value As Variant, ByRef unit As String) As Long
Public Declare PtrSafe Function MirxTEDS_GetPropertyValueEx Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyValueEx@32" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, ByVal propertyName As String, _
    ByVal occurrence As Long, ByRef value As Variant, ByRef unit As String, _
    ByRef unitArray As Variant, ByRef status As Long) As Long
Public Declare PtrSafe Function MirxTEDS_GetScale Lib "teds_vb6.dll" Alias "_MirxTEDS_GetScale@60" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, _
    ByVal given As Long, ByVal coldJunctionC As Double, ByVal excitationV As Double, ByVal r0Ohm As Double, _
    ByRef kind As Long, ByRef inputUnit As String, ByRef outputUnit As String, _
    ByRef validLow As Double, ByRef validHigh As Double, ByRef text As String) As Long
Public Declare PtrSafe Function MirxTEDS_ScaleValue Lib "teds_vb6.dll" Alias "_MirxTEDS_ScaleValue@56" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, _
    ByVal given As Long, ByVal coldJunctionC As Double, ByVal excitationV As Double, ByVal r0Ohm As Double, _
    ByVal inverse As Long, ByVal value As Double, ByRef result As Double, ByRef reason As String) As Long
Public Declare PtrSafe Function MirxTEDS_ScaleArray Lib "teds_vb6.dll" Alias "_MirxTEDS_ScaleArray@52" ( _
    ByVal teds As LongPtr, ByVal templateIndex As Long, _
    ByVal given As Long, ByVal coldJunctionC As Double, ByVal excitationV As Double, ByVal r0Ohm As Double, _
    ByVal inverse As Long, ByRef values As Double, ByRef results As Double, ByVal count As Long) As Long
#End If
#Else
' Visual Basic 6 and Office before 2010: teds_vb6.dll, handles and pointers as Long.
Public Declare Function MirxTEDS_GetVersion Lib "teds_vb6.dll" Alias "_MirxTEDS_GetVersion@0" () As Long
Public Declare Function MirxTEDS_CheckVersion Lib "teds_vb6.dll" Alias "_MirxTEDS_CheckVersion@4" ( _
    ByVal version As Long) As Long
Public Declare Function MirxTEDS_ParserCreate Lib "teds_vb6.dll" Alias "_MirxTEDS_ParserCreate@0" () As Long
Public Declare Sub MirxTEDS_ParserDestroy Lib "teds_vb6.dll" Alias "_MirxTEDS_ParserDestroy@4" ( _
    ByVal parser As Long)
Public Declare Function MirxTEDS_ParseTDLFile Lib "teds_vb6.dll" Alias "_MirxTEDS_ParseTDLFile@8" ( _
    ByVal parser As Long, ByVal path As String) As Long
Public Declare Function MirxTEDS_ParseTEDS Lib "teds_vb6.dll" Alias "_MirxTEDS_ParseTEDS@12" ( _
    ByVal parser As Long, ByRef image As Byte, ByVal length As Long) As Long
Public Declare Sub MirxTEDS_FreeTEDS Lib "teds_vb6.dll" Alias "_MirxTEDS_FreeTEDS@4" ( _
    ByVal teds As Long)
Public Declare Function MirxTEDS_GetBasicTEDS Lib "teds_vb6.dll" Alias "_MirxTEDS_GetBasicTEDS@24" ( _
    ByVal teds As Long, ByRef manufacturerId As Long, ByRef modelNumber As Long, _
    ByRef versionLetter As Byte, ByRef versionNumber As Long, ByRef serialNumber As Long) As Long
Public Declare Function MirxTEDS_GetNumberTemplates Lib "teds_vb6.dll" Alias "_MirxTEDS_GetNumberTemplates@4" ( _
    ByVal teds As Long) As Long
Public Declare Function MirxTEDS_GetTemplateInfo Lib "teds_vb6.dll" Alias "_MirxTEDS_GetTemplateInfo@16" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByRef manufacturerKey As Long, _
    ByRef templateId As Long) As Long
Public Declare Function MirxTEDS_GetTotalPropertyCount Lib "teds_vb6.dll" Alias "_MirxTEDS_GetTotalPropertyCount@8" ( _
    ByVal teds As Long, ByVal templateIndex As Long) As Long
Public Declare Function MirxTEDS_GetPropertyCount Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyCount@12" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyName As String) As Long
Public Declare Function MirxTEDS_HasProperty Lib "teds_vb6.dll" Alias "_MirxTEDS_HasProperty@12" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyName As String) As Long
Public Declare Function MirxTEDS_GetPropertyByIdx Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyByIdx@24" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyIndex As Long, _
    ByRef propertyName As String, ByRef value As Variant, ByRef unit As String) As Long
Public Declare Function MirxTEDS_GetPropertyByIdxEx Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyByIdxEx@32" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyIndex As Long, _
    ByRef propertyName As String, ByRef value As Variant, ByRef unit As String, _
    ByRef unitArray As Variant, ByRef status As Long) As Long
Public Declare Function MirxTEDS_GetPropertyValue Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyValue@24" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyName As String, _
    ByVal occurrence As Long, ByRef value As Variant, ByRef unit As String) As Long
Public Declare Function MirxTEDS_GetPropertyValueEx Lib "teds_vb6.dll" Alias "_MirxTEDS_GetPropertyValueEx@32" ( _
    ByVal teds As Long, ByVal templateIndex As Long, ByVal propertyName As String, _
    ByVal occurrence As Long, ByRef value As Variant, ByRef unit As String, _
    ByRef unitArray As Variant, ByRef status As Long) As Long
Public Declare Function MirxTEDS_GetScale Lib "teds_vb6.dll" Alias "_MirxTEDS_GetScale@60" ( _
    ByVal teds As Long, ByVal templateIndex As Long, _
    ByVal given As Long, ByVal coldJunctionC As Double, ByVal excitationV As Double, ByVal r0Ohm As Double, _
    ByRef kind As Long, ByRef inputUnit As String, ByRef outputUnit As String, _
    ByRef validLow As Double, ByRef validHigh As Double, ByRef text As String) As Long
Public Declare Function MirxTEDS_ScaleValue Lib "teds_vb6.dll" Alias "_MirxTEDS_ScaleValue@56" ( _
    ByVal teds As Long, ByVal templateIndex As Long, _
    ByVal given As Long, ByVal coldJunctionC As Double, ByVal excitationV As Double, ByVal r0Ohm As Double, _
    ByVal inverse As Long, ByVal value As Double, ByRef result As Double, ByRef reason As String) As Long
Public Declare Function MirxTEDS_ScaleArray Lib "teds_vb6.dll" Alias "_MirxTEDS_ScaleArray@52" ( _
    ByVal teds As Long, ByVal templateIndex As Long, _
    ByVal given As Long, ByVal coldJunctionC As Double, ByVal excitationV As Double, ByVal r0Ohm As Double, _
    ByVal inverse As Long, ByRef values As Double, ByRef results As Double, ByVal count As Long) As Long
#End If
