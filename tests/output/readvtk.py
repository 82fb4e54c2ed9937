"""Reads what korva-batch export-vtk wrote with VTK's own readers and prints
it in a plain form the tests compare: for a ".vtr" file the extent, the three
coordinate arrays and every cell array; for a ".pvd" collection each time
step with its file, then that file as above.

    /usr/bin/python3 readvtk.py FILE
Values are printed with repr(), so they read back exactly; NaN prints "nan".
"""
import os
import sys

from vtkmodules.vtkIOXMLParser import vtkXMLUtilities
from vtkmodules.vtkIOXML import vtkXMLRectilinearGridReader


def values(array):
    return " ".join(repr(array.GetValue(i)) for i in range(array.GetNumberOfTuples()))


def print_grid(path):
    reader = vtkXMLRectilinearGridReader()
    reader.SetFileName(path)
    reader.Update()
    if reader.GetErrorCode() != 0:
        print("error\t" + path)
        return
    grid = reader.GetOutput()
    print("extent\t" + " ".join(str(v) for v in grid.GetExtent()))
    print("x\t" + values(grid.GetXCoordinates()))
    print("y\t" + values(grid.GetYCoordinates()))
    print("z\t" + values(grid.GetZCoordinates()))
    cells = grid.GetCellData()
    for a in range(cells.GetNumberOfArrays()):
        array = cells.GetArray(a)
        print("array\t%s\t%s\t%s" % (array.GetName(), array.GetDataTypeAsString(), values(array)))


def print_collection(path):
    root = vtkXMLUtilities.ReadElementFromFile(path)
    collection = root.FindNestedElementWithName("Collection")
    folder = os.path.dirname(path)
    for i in range(collection.GetNumberOfNestedElements()):
        step = collection.GetNestedElement(i)
        print("step\t%s\t%s" % (repr(float(step.GetAttribute("timestep"))), step.GetAttribute("file")))
        print_grid(os.path.join(folder, step.GetAttribute("file")))


def main():
    path = sys.argv[1]
    if path.endswith(".pvd"):
        print_collection(path)
    else:
        print_grid(path)


main()
