#include "comun/utilidades.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo.h"

std::string archivoTemporal(const std::string& contenido, const std::string& sufijo)
{
    std::string plantilla = "/tmp/tresnalXXXXXX" + sufijo;
    std::string ruta = plantilla;
    int fd = mkstemps(&ruta[0], static_cast<int>(sufijo.size()));
    if (fd < 0) {
        ADD_FAILURE() << "no se pudo crear un archivo temporal";
        return "";
    }
    close(fd);
    std::ofstream archivo(ruta, std::ios::binary);
    archivo << contenido;
    return ruta;
}

std::string capturarSalida(const std::function<void()>& f)
{
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
}

std::string leerArchivo(const std::string& ruta)
{
    std::ifstream archivo(ruta, std::ios::binary);
    std::stringstream contenido;
    contenido << archivo.rdbuf();
    return contenido.str();
}

bool cargarYResolver(const std::string& archivo)
{
    reiniciarModelo();
    nombreArchivo = std::string(DIR_EJEMPLOS) + "/" + archivo;
    bool resuelto = false;
    capturarSalida([&] {
        funcionLeerArchivo();
        resuelto = funcionSolve();
    });
    return resuelto;
}

std::vector<std::string> lineasDe(const std::string& texto)
{
    std::vector<std::string> v;
    std::istringstream is(texto);
    std::string l;
    while (std::getline(is, l)) {
        v.push_back(l);
    }
    return v;
}

const std::string avisoEntero = "Advertencia: no se encontró ningún entero con etiqueta ";
const std::string avisoReal = "Advertencia: no se encontró ningún real con etiqueta ";

std::vector<std::string> avisosDe(const std::string& salida)
{
    std::vector<std::string> v;
    for (const std::string& l : lineasDe(salida)) {
        if (l.rfind("Advertencia:", 0) == 0 && l.rfind(avisoEntero, 0) != 0 &&
            l.rfind(avisoReal, 0) != 0) {
            v.push_back(l);
        }
    }
    return v;
}

std::string cargar(const std::string& contenido)
{
    reiniciarModelo();
    nombreArchivo = archivoTemporal(contenido);
    std::string salida = capturarSalida([] { funcionLeerArchivo(); });
    std::remove(nombreArchivo.c_str());
    return salida;
}
