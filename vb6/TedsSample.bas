Attribute VB_Name = "TedsSample"
' Lists every property of a TEDS image with its value and unit. The image is
' read from a binary file holding the bytes of the sensor's TEDS memory, first
' byte first, and decoded against the templates of a TDL file. Needs the
' module TedsVb6 (teds_vb6.bas). From the Immediate window:
'
'     ListTedsProperties "C:\TEDS\templates.tdl", "C:\TEDS\sensor.bin"
'
' PrintScaledValue prints what a template's scale makes of one electrical
' value, and the scale itself:
'
'     PrintScaledValue "C:\TEDS\templates.tdl", "C:\TEDS\thermocouple.bin", 0.003096, 25
'
' Runs unchanged in Visual Basic 6, 32-bit and 64-bit Office: handles and
' pointers are LongPtr under VBA7 and Long before it.
Option Explicit

#If VBA7 Then
Private Declare PtrSafe Function lstrlenA Lib "kernel32" (ByVal address As LongPtr) As Long
Private Declare PtrSafe Sub CopyMemory Lib "kernel32" Alias "RtlMoveMemory" ( _
    ByRef destination As Any, ByVal source As LongPtr, ByVal length As LongPtr)
#Else
Private Declare Function lstrlenA Lib "kernel32" (ByVal address As Long) As Long
Private Declare Sub CopyMemory Lib "kernel32" Alias "RtlMoveMemory" ( _
    ByRef destination As Any, ByVal source As Long, ByVal length As Long)
#End If

' The interface version this module is written for.
Private Const InterfaceVersion As Long = 1
' VarType of an unsigned 32-bit number, a type Visual Basic has no name for.
Private Const VarTypeUnsignedLong As Integer = 19

' The version text of the DLL, copied from the static text it points to.
Public Function TedsVersion() As String
#If VBA7 Then
    Dim address As LongPtr
#Else
    Dim address As Long
#End If
    Dim length As Long
    Dim bytes() As Byte

    address = MirxTEDS_GetVersion()
    If address = 0 Then Exit Function
    length = lstrlenA(address)
    If length = 0 Then Exit Function
    ReDim bytes(0 To length - 1)
    CopyMemory bytes(0), address, length
    TedsVersion = StrConv(bytes, vbUnicode)
End Function

Public Sub ListTedsProperties(ByVal tdlPath As String, ByVal imagePath As String)
#If VBA7 Then
    Dim parser As LongPtr
    Dim teds As LongPtr
#Else
    Dim parser As Long
    Dim teds As Long
#End If
    Dim image() As Byte
    Dim imageLength As Long
    Dim errorNumber As Long
    Dim errorSource As String
    Dim errorText As String

    If MirxTEDS_CheckVersion(InterfaceVersion) = 0 Then
        Err.Raise vbObjectError + 1, "TedsSample", "teds_vb6.dll " & TedsVersion() & " does not serve this module"
    End If
    parser = MirxTEDS_ParserCreate()
    If parser = 0 Then Err.Raise 7  ' Out of memory

    On Error GoTo Release
    Debug.Print MirxTEDS_ParseTDLFile(parser, tdlPath); "templates loaded from "; tdlPath
    imageLength = ReadImage(imagePath, image)
    teds = MirxTEDS_ParseTEDS(parser, image(0), imageLength)
    PrintBasicTeds teds
    PrintTemplates teds

Release:
    errorNumber = Err.Number
    errorSource = Err.Source
    errorText = Err.Description
    ' The TEDS handle first: it refers to templates the parser owns.
    If teds <> 0 Then MirxTEDS_FreeTEDS teds
    MirxTEDS_ParserDestroy parser
    If errorNumber <> 0 Then Err.Raise errorNumber, errorSource, errorText
End Sub

' Reads the whole file into image and returns its length. The array always
' gets at least one element, so that image(0) can be passed for an empty file.
Private Function ReadImage(ByVal path As String, ByRef image() As Byte) As Long
    Dim fileNumber As Integer
    Dim length As Long

    If Len(Dir$(path)) = 0 Then Err.Raise 53, "TedsSample", "File not found: " & path
    fileNumber = FreeFile
    Open path For Binary Access Read As #fileNumber
    length = LOF(fileNumber)
    If length > 0 Then
        ReDim image(0 To length - 1)
        Get #fileNumber, , image
    Else
        ReDim image(0 To 0)
    End If
    Close #fileNumber
    ReadImage = length
End Function

#If VBA7 Then
Private Sub PrintBasicTeds(ByVal teds As LongPtr)
#Else
Private Sub PrintBasicTeds(ByVal teds As Long)
#End If
    Dim manufacturerId As Long
    Dim modelNumber As Long
    Dim versionLetter As Byte
    Dim versionNumber As Long
    Dim serialNumber As Long

    If MirxTEDS_GetBasicTEDS(teds, manufacturerId, modelNumber, versionLetter, versionNumber, serialNumber) = 0 Then
        Exit Sub
    End If
    Debug.Print "Manufacturer"; manufacturerId; "model"; modelNumber; _
        "version "; Chr$(versionLetter); versionNumber; "serial"; serialNumber
End Sub

#If VBA7 Then
Private Sub PrintTemplates(ByVal teds As LongPtr)
#Else
Private Sub PrintTemplates(ByVal teds As Long)
#End If
    Dim templateIndex As Long
    Dim propertyIndex As Long
    Dim manufacturerKey As Long
    Dim templateId As Long
    Dim propertyName As String
    Dim value As Variant
    Dim unit As String

    For templateIndex = 0 To MirxTEDS_GetNumberTemplates(teds) - 1
        If MirxTEDS_GetTemplateInfo(teds, templateIndex, manufacturerKey, templateId) <> 0 Then
            Debug.Print "Template"; templateId; "of manufacturer key"; manufacturerKey
        End If
        For propertyIndex = 0 To MirxTEDS_GetTotalPropertyCount(teds, templateIndex) - 1
            ' The same variables serve every property: each call releases
            ' what the previous one left in them.
            If MirxTEDS_GetPropertyByIdx(teds, templateIndex, propertyIndex, propertyName, value, unit) <> 0 Then
                Debug.Print "  "; propertyName; " = "; ValueText(value); " "; unit
            End If
        Next
    Next
End Sub

Private Function ValueText(ByRef value As Variant) As String
    Select Case VarType(value)
    Case vbEmpty
        ValueText = "(no value)"
    Case vbDate
        ValueText = Format$(value, "yyyy-mm-dd")
    Case VarTypeUnsignedLong
        ' Widened to Double: Visual Basic reads no unsigned type directly.
        ValueText = CStr(CDbl(value))
    Case Else
        ValueText = CStr(value)
    End Select
End Function

' The first template's scale applied to `electrical` (V, A, Ohm or V/V), a
' thermocouple's reference junction at coldJunctionC degC.
Public Sub PrintScaledValue(ByVal tdlPath As String, ByVal imagePath As String, _
    ByVal electrical As Double, ByVal coldJunctionC As Double)
#If VBA7 Then
    Dim parser As LongPtr
    Dim teds As LongPtr
#Else
    Dim parser As Long
    Dim teds As Long
#End If
    Dim image() As Byte
    Dim imageLength As Long
    Dim kind As Long
    Dim inputUnit As String
    Dim outputUnit As String
    Dim validLow As Double
    Dim validHigh As Double
    Dim description As String
    Dim physical As Double
    Dim reason As String
    Dim errorNumber As Long
    Dim errorSource As String
    Dim errorText As String

    parser = MirxTEDS_ParserCreate()
    If parser = 0 Then Err.Raise 7  ' Out of memory

    On Error GoTo Release
    MirxTEDS_ParseTDLFile parser, tdlPath
    imageLength = ReadImage(imagePath, image)
    teds = MirxTEDS_ParseTEDS(parser, image(0), imageLength)
    If MirxTEDS_GetScale(teds, 0, MIRX_TEDS_COLD_JUNCTION, coldJunctionC, 0#, 0#, _
            kind, inputUnit, outputUnit, validLow, validHigh, description) = 0 Then
        Debug.Print "No scale: "; description
    Else
        Debug.Print "Scale of kind"; kind; "from "; inputUnit; " to "; outputUnit
        Debug.Print description
        If MirxTEDS_ScaleValue(teds, 0, MIRX_TEDS_COLD_JUNCTION, coldJunctionC, 0#, 0#, 0, _
                electrical, physical, reason) <> 0 Then
            Debug.Print electrical; inputUnit; " is"; physical; outputUnit
        Else
            Debug.Print reason
        End If
    End If

Release:
    errorNumber = Err.Number
    errorSource = Err.Source
    errorText = Err.Description
    If teds <> 0 Then MirxTEDS_FreeTEDS teds
    MirxTEDS_ParserDestroy parser
    If errorNumber <> 0 Then Err.Raise errorNumber, errorSource, errorText
End Sub
