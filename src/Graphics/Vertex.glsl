#version 330 core
// Every quad: a row-vector position times the full world * view * projection.
uniform mat4 WorldViewProj;

in vec3 inPosition;
in vec4 inColour;
in vec2 inTexCoord;

out vec4 vColour;
out vec2 vTexCoord;

void main()
{
	gl_Position = vec4( inPosition, 1.0 ) * WorldViewProj;
	vColour = inColour;
	vTexCoord = inTexCoord;
}
